
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
    vec3 accum = texture(uAccumTex, v_TexCoord).rgb;
    float revealage = texture(uRevealTex, v_TexCoord).r;
    float alpha = 1.0 - revealage;
    vec3 colour = accum / max(alpha, 0.0001);
    out_Colour = vec4(colour, alpha);
}
