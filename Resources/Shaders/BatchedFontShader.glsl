
#shadername BatchedFontShader
#type vertex
#version 400 core
layout(location = 0) in vec3 a_InVertexPosition;
layout(location = 1) in vec2 a_InUVCoordinates;
layout(location = 2) in float a_InTextureArrayIndex;
layout(location = 3) in vec2 a_TextureDimensions;
layout(location = 4) in vec4 a_InColor;
layout(location = 6) in mat4 a_ModelMatrix;

uniform mat4 u_ProjectionMatrix;

out vec2 v_UVCoordinates;
// Per-glyph values stay flat: interpolating a constant may drift by a rounding step.
flat out float v_TextureArrayIndex;
flat out vec2 v_TextureDimensions;
flat out vec4 v_Color;

void main()
{
    v_UVCoordinates = a_InUVCoordinates;
    v_TextureArrayIndex = a_InTextureArrayIndex;
    v_TextureDimensions = a_TextureDimensions;
    v_Color = a_InColor;
    gl_Position = u_ProjectionMatrix * a_ModelMatrix * vec4(a_InVertexPosition, 1.0);
}
#type fragment
#version 400 core
in vec2 v_UVCoordinates;
flat in float v_TextureArrayIndex;
flat in vec2 v_TextureDimensions;
flat in vec4 v_Color;

uniform sampler2DArray u_Texture;

out vec4 out_Colour;

void main()
{
    // The glyph image fills only the corner of its layer that its own size covers.
    vec2 layerSize = vec2(textureSize(u_Texture, 0).xy);
    vec2 coordinates = clamp(v_UVCoordinates * v_TextureDimensions / layerSize, 0.0, 1.0);
    float coverage = texture(u_Texture, vec3(coordinates, v_TextureArrayIndex)).r;
    out_Colour = vec4(1.0, 1.0, 1.0, coverage) * v_Color;
}
