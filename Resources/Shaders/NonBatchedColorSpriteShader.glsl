
#shadername NonBatchedColorSpriteShader
#type vertex
#version 400 core
layout(location = 0) in vec2 a_InVertexPosition;

uniform mat4 u_ProjectionMatrix;

void main()
{
    gl_Position = u_ProjectionMatrix * vec4(a_InVertexPosition, 0.0, 1.0);
}
#type fragment
#version 400 core
uniform vec4 u_Colour;

out vec4 out_Colour;

void main()
{
    out_Colour = u_Colour;
}
