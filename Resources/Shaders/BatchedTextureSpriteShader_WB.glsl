
#shadername BatchedTextureSpriteShader_WB
#type vertex
#version 400 core
layout(location = 0) in vec3 a_InVertexPosition;
layout(location = 1) in vec2 a_InUVCoordinates;
layout(location = 2) in vec2 a_InTextureShift;
layout(location = 3) in vec2 a_InTextureScale;
layout(location = 4) in ivec2 a_InSubTexturePosition;
layout(location = 5) in ivec2 a_InSubTextureSize;
layout(location = 6) in float a_InTextureArrayIndex;
layout(location = 7) in vec2 a_TextureDimensions;
layout(location = 8) in uint a_InFrameBufferID;
layout(location = 9) in float a_Visible;
layout(location = 10) in float a_DrawBorder;
layout(location = 11) in mat4 a_ModelMatrix;

uniform mat4 u_ProjectionViewMatrix;

out vec2 v_UVCoordinates;
// Per-instance values stay flat: interpolating a constant may drift by a rounding step, and the
// border test compares for equality.
flat out vec2 v_TextureShift;
flat out vec2 v_TextureScale;
flat out ivec2 v_SubTexturePosition;
flat out ivec2 v_SubTextureSize;
flat out float v_TextureArrayIndex;
flat out vec2 v_TextureDimensions;
flat out uint v_FrameBufferID;
flat out float v_DrawBorder;
flat out float v_Aspect;

void main()
{
    v_UVCoordinates = a_InUVCoordinates;
    v_TextureShift = a_InTextureShift;
    v_TextureScale = a_InTextureScale;
    v_SubTexturePosition = a_InSubTexturePosition;
    v_SubTextureSize = a_InSubTextureSize;
    v_TextureArrayIndex = a_InTextureArrayIndex;
    v_TextureDimensions = a_TextureDimensions;
    v_FrameBufferID = a_InFrameBufferID;
    v_DrawBorder = a_DrawBorder;
    v_Aspect = abs(a_ModelMatrix[0].x / a_ModelMatrix[1].y);
    // An invisible instance collapses to a point and covers no pixel.
    gl_Position = (u_ProjectionViewMatrix * a_ModelMatrix * vec4(a_InVertexPosition, 1.0)) * a_Visible;
}
#type fragment
#version 400 core
in vec2 v_UVCoordinates;
flat in vec2 v_TextureShift;
flat in vec2 v_TextureScale;
flat in ivec2 v_SubTexturePosition;
flat in ivec2 v_SubTextureSize;
flat in float v_TextureArrayIndex;
flat in vec2 v_TextureDimensions;
flat in uint v_FrameBufferID;
flat in float v_DrawBorder;
flat in float v_Aspect;

uniform sampler2DArray u_Texture;
uniform uint u_UseFrameBuffer;
uniform uint u_IsOpaquePass;
uniform int u_FirstPeel;
uniform sampler2D prevDepth;
uniform float width;
uniform float height;

layout(location = 0) out vec4 AccumTexture;
layout(location = 1) out float RevealTexture;

const vec4 k_BorderColour = vec4(61.0 / 255.0, 174.0 / 255.0, 233.0 / 255.0, 1.0);

// Where the image sits in its array-texture layer, with the sub-rectangle addressed from the top
// of the image (texture v runs upwards). A scale below 1 repeats the image; the shift scrolls it
// by pixels.
vec3 TextureCoordinates()
{
    vec2 dimensions = v_TextureDimensions;
    vec2 imageShare = dimensions / vec2(textureSize(u_Texture, 0).xy);
    vec2 subPosition = vec2(v_SubTexturePosition);
    vec2 subSize = vec2(v_SubTextureSize);
    vec2 subShift = vec2((subPosition.x / dimensions.x) * imageShare.x,
                         ((dimensions.y - subPosition.y - subSize.y) / dimensions.y) * imageShare.y);
    vec2 subShare = imageShare * subSize / dimensions;
    vec2 repeated = (v_UVCoordinates + v_TextureShift / dimensions) / v_TextureScale;
    return vec3(subShare * fract(repeated) + subShift, v_TextureArrayIndex);
}

// The border keeps the same on-screen thickness on both axes of a non-square quad.
bool IsBorder()
{
    float borderWidth = 0.02;
    float borderHeight = 0.02;
    if (v_Aspect >= 1.0)
        borderHeight = borderHeight / v_Aspect;
    else
        borderWidth = borderWidth * v_Aspect;
    vec2 uv = v_UVCoordinates;
    return v_DrawBorder == 1.0 && (uv.x <= borderWidth || uv.x >= 1.0 - borderWidth ||
                                   uv.y <= borderHeight || uv.y >= 1.0 - borderHeight);
}

// The entity id as a colour for picking; the top byte does not fit and is not written.
vec4 SelectionColour()
{
    uint id = v_FrameBufferID;
    return vec4(float(id & 0xFFu), float((id >> 8) & 0xFFu), float((id >> 16) & 0xFFu), 255.0) / 255.0;
}

vec4 SpriteColour()
{
    if (IsBorder())
        return k_BorderColour;
    if (u_UseFrameBuffer == 0u)
        return texture(u_Texture, TextureCoordinates());
    return SelectionColour();
}

void main()
{
    if (IsBorder())
    {
        AccumTexture = k_BorderColour;
        RevealTexture = 1.0;
    }
    else if (u_UseFrameBuffer == 0u)
    {
        vec4 colour = texture(u_Texture, TextureCoordinates());
        if (u_IsOpaquePass == 0u)
        {
            // Nearer and more opaque fragments weigh more in the blended sum.
            float z = gl_FragCoord.z;
            float weight = clamp(pow(min(1.0, colour.a * 10.0) + 0.01, 3.0) * 1e8 * pow(1.0 - z * 0.9, 3.0),
                                 0.01, 3000.0);
            // The texel is premultiplied already: its colour enters the sum as it is, or the
            // layer would come out darkened by its alpha a second time.
            AccumTexture = vec4(colour.rgb * weight, colour.a * weight);
            // Revealage is multiplied into its target as (1 - source), so it must stay the plain
            // coverage: the product of (1 - alpha) over all layers. The weight only belongs in the
            // sum; here it would push the factor far below zero and wipe out overlapping layers.
            RevealTexture = colour.a;
        }
        else
        {
            AccumTexture = colour;
            RevealTexture = 0.0;
        }
    }
    else
    {
        AccumTexture = SelectionColour();
        RevealTexture = 0.0;
    }
}
