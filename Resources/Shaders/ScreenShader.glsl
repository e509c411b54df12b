
#shadername ScreenShader
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

uniform sampler2D uTexture;

out vec4 v_FragColor;

void main()
{
    v_FragColor = texture(uTexture, v_TexCoord);
}
