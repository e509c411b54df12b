
#shadername compositeShader
#type vertex
#version 400 core
layout(location = 0) in vec2 aPos;
layout(location = 1) in vec2 aTexCoord;

out vec2 v_TexCoord;

void main()
{
    v_TexCoord = aTexCoord;
    gl_Position = vec4(aPos, 0.0, 1.0);
}
#type fragment
#version 400 core
in vec2 v_TexCoord;

uniform sampler2D uAccumTex;
uniform sampler2D uRevealTex;

out vec4 out_Colour;

void main()
{
    vec4 accum = texture(uAccumTex, v_TexCoord);
    float revealage = texture(uRevealTex, v_TexCoord).r;
    // The weighted sum divided by the summed weights is the average colour of the layers; the
    // coverage left over by their combined revealage blends it over the opaque frame.
    vec3 colour = accum.rgb / max(accum.a, 1e-5);
    out_Colour = vec4(colour, 1.0 - revealage);
}
