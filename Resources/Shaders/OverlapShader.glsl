
	#shadername OverlapShader
	#type vertex
	#version 400 core
	layout(location = 0) in vec3 aPos;
	layout(location = 1) in vec2 aTexCoord;
	layout(location = 2) in mat4 a_ModelMatrix;

	uniform mat4 u_ProjectionViewMatrix;

	void main()
	{
	    gl_Position = u_ProjectionViewMatrix * a_ModelMatrix * vec4(aPos, 1.0);
	}
	#type fragment
	#version 400 core
	// Every covering quad adds one: the sum counts the quads over a pixel.
	layout(location = 0) out float fragAccum;

	void main()
	{
	    fragAccum = 1.0;
	}
