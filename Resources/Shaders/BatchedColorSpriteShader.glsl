
#shadername BatchedColorSpriteShader
#type vertex
#version 400 core
layout(location = 0) in vec3 a_InVertexPosition;
layout(location = 1) in vec2 a_InUVCoordinates;
layout(location = 2) in vec4 a_InColor;
layout(location = 3) in float a_Visible;
layout(location = 4) in mat4 a_ModelMatrix;

uniform mat4 u_ProjectionViewMatrix;

flat out vec4 v_Color;

void main()
{
    // All four channels: an invisible quad becomes fully transparent black.
    v_Color = a_InColor * a_Visible;
    gl_Position = u_ProjectionViewMatrix * a_ModelMatrix * vec4(a_InVertexPosition, 1.0);
}
#type fragment
#version 400 core
flat in vec4 v_Color;

out vec4 out_Colour;

void main()
{
    out_Colour = v_Color;
}
