#shadername Minimal
#type vertex
void main() { gl_Position = vec4(0.0); }
#type fragment
out vec4 colour;
void main() { colour = vec4(1.0); }
