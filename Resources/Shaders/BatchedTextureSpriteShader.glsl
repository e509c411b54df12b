
#shadername BatchedTextureSpriteShader
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
uniform sampler2DArray u_Texture;
uniform uint u_UseFrameBuffer;

// Whatever is the same for the whole sprite is worked out here, four times a sprite instead of
// once a pixel, and handed on flat, four values to an output: a software rasterizer sets up and
// bins every output of every triangle, so their number is the sprite's cost. Flat values also
// arrive exactly as written: interpolating a constant may drift by a rounding step, and the
// border test compares for equality.
#ifdef PLAIN_SPRITES
// The variant the renderer draws a batch with when none of its images repeats, scrolls or carries a
// border, and nothing is picked: where in the layer each corner samples then runs linearly across
// the quad, so the texture coordinates themselves are interpolated and a pixel costs one read.
out vec3 v_TextureCoordinates; // xy: in the layer, z: array layer
#else
// xy: where on the quad (0 to 1), zw: where in the repeated image; both run linearly across the
// quad, so interpolating them gives what working them out for each pixel would.
out vec4 v_UVCoordinates;
flat out vec4 v_SubRect; // xy: share of the layer the drawn part spans, zw: where it starts; picking: the id's colour
flat out vec4 v_Border;  // x: array layer, y: border width, z: border height (uv), -1 without a border; w: 1 when the image repeats or scrolls
#endif

// The entity id as a colour for picking; the top byte does not fit and is not written.
vec4 SelectionColour(uint p_Id)
{
    return vec4(float(p_Id & 0xFFu), float((p_Id >> 8) & 0xFFu), float((p_Id >> 16) & 0xFFu), 255.0) / 255.0;
}

void main()
{
    // Where the image sits in its array-texture layer, with the sub-rectangle addressed from the
    // top of the image (texture v runs upwards). A scale below 1 repeats the image; the shift
    // scrolls it by pixels.
    vec2 dimensions = a_TextureDimensions;
    vec2 imageShare = dimensions / vec2(textureSize(u_Texture, 0).xy);
    vec2 subPosition = vec2(a_InSubTexturePosition);
    vec2 subSize = vec2(a_InSubTextureSize);
    vec2 subShift = vec2((subPosition.x / dimensions.x) * imageShare.x,
                         ((dimensions.y - subPosition.y - subSize.y) / dimensions.y) * imageShare.y);
    vec2 subShare = imageShare * subSize / dimensions;
#ifdef PLAIN_SPRITES
    v_TextureCoordinates = vec3(subShare * a_InUVCoordinates + subShift, a_InTextureArrayIndex);
#else
    vec2 repeated = (a_InUVCoordinates + a_InTextureShift / dimensions) / a_InTextureScale;
    v_UVCoordinates = vec4(a_InUVCoordinates, repeated);
    // Picking samples no texture: the output that places the image carries the id instead.
    v_SubRect = u_UseFrameBuffer == 0u ? vec4(subShare, subShift) : SelectionColour(a_InFrameBufferID);

    // The border keeps the same on-screen thickness on both axes of a non-square quad.
    float aspect = abs(a_ModelMatrix[0].x / a_ModelMatrix[1].y);
    float borderWidth = 0.02;
    float borderHeight = 0.02;
    if (aspect >= 1.0)
        borderHeight = borderHeight / aspect;
    else
        borderWidth = borderWidth * aspect;
    // Without a border the widths are out of reach of every uv, so the fragment needs no flag.
    if (a_DrawBorder != 1.0)
    {
        borderWidth = -1.0;
        borderHeight = -1.0;
    }
    float wraps = a_InTextureScale != vec2(1.0) || a_InTextureShift != vec2(0.0) ? 1.0 : 0.0;
    v_Border = vec4(a_InTextureArrayIndex, borderWidth, borderHeight, wraps);
#endif

    // An invisible instance collapses to a point and covers no pixel. Two matrix-vector products:
    // multiplying the matrices first would cost four times as much.
    gl_Position = (u_ProjectionViewMatrix * (a_ModelMatrix * vec4(a_InVertexPosition, 1.0))) * a_Visible;
}
#type fragment
#version 400 core
#ifdef PLAIN_SPRITES
in vec3 v_TextureCoordinates;

uniform sampler2DArray u_Texture;

out vec4 out_Colour;

void main()
{
    out_Colour = texture(u_Texture, v_TextureCoordinates);
}
#else
in vec4 v_UVCoordinates;
flat in vec4 v_SubRect;
flat in vec4 v_Border;

uniform sampler2DArray u_Texture;
uniform uint u_UseFrameBuffer;

out vec4 out_Colour;

const vec4 k_BorderColour = vec4(61.0 / 255.0, 174.0 / 255.0, 233.0 / 255.0, 1.0);

bool IsBorder()
{
    vec2 uv = v_UVCoordinates.xy;
    return uv.x <= v_Border.y || uv.x >= 1.0 - v_Border.y || uv.y <= v_Border.z || uv.y >= 1.0 - v_Border.z;
}

void main()
{
    // Read unconditionally and replaced where picking or a border says so: a software rasterizer
    // runs both sides of a branch that differs across its pixels anyway.
    // Only an image that repeats or scrolls wraps around: interpolation may carry the far edge of
    // a single image a rounding step past 1, and wrapping would paint it with the opposite edge.
    vec2 repeated = v_UVCoordinates.zw;
    vec2 place = v_Border.w != 0.0 ? fract(repeated) : clamp(repeated, 0.0, 1.0);
    vec4 colour = texture(u_Texture, vec3(v_SubRect.xy * place + v_SubRect.zw, v_Border.x));
    if (u_UseFrameBuffer != 0u)
        colour = v_SubRect;
    if (IsBorder())
        colour = k_BorderColour;
    out_Colour = colour;
}
#endif
