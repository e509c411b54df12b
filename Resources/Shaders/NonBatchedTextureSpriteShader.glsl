
#shadername NonBatchedTextureSpriteShader
#type vertex
#version 400 core
layout(location = 0) in vec3 a_InVertexPosition;
layout(location = 1) in vec2 a_InUVCoordinates;

uniform mat4 u_ProjectionViewMatrix;

out vec2 v_UVCoordinates;

void main()
{
    v_UVCoordinates = a_InUVCoordinates;
    gl_Position = u_ProjectionViewMatrix * vec4(a_InVertexPosition, 1.0);
}
#type fragment
#version 400 core
in vec2 v_UVCoordinates;

uniform sampler2DArray u_Texture;
uniform float u_TextureIndex;
uniform vec2 u_TextureDimensions;

out vec4 out_Colour;

void main()
{
    // The image fills only the corner of its layer that its own size covers.
    vec2 layerSize = vec2(textureSize(u_Texture, 0).xy);
    out_Colour = texture(u_Texture, vec3(v_UVCoordinates * u_TextureDimensions / layerSize, u_TextureIndex));
}
