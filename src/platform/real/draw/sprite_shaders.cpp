// The sprite shaders, reached through glXGetProcAddress: a context without shaders may lack their
// entry points altogether, so they are looked up only once its version says they are there.
#include "platform/real/draw/sprite_shaders.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <cstdio>

namespace {

const char* const kVertexShader =
    "varying vec2 texel;\n"
    "void main() { gl_Position = ftransform(); texel = gl_MultiTexCoord0.xy; }\n";
const char* const kTextureShader =
    "uniform sampler2D picture;\n"
    "varying vec2 texel;\n"
    "void main() { gl_FragColor = texture2D(picture, texel); }\n";
const char* const kOpacityShader =
    "uniform sampler2D picture;\n"
    "uniform float opacity;\n"
    "varying vec2 texel;\n"
    "void main() { gl_FragColor = texture2D(picture, texel) * opacity; }\n";

struct ShaderCalls {
  PFNGLCREATESHADERPROC createShader;
  PFNGLSHADERSOURCEPROC shaderSource;
  PFNGLCOMPILESHADERPROC compileShader;
  PFNGLGETSHADERIVPROC getShaderiv;
  PFNGLDELETESHADERPROC deleteShader;
  PFNGLCREATEPROGRAMPROC createProgram;
  PFNGLATTACHSHADERPROC attachShader;
  PFNGLLINKPROGRAMPROC linkProgram;
  PFNGLGETPROGRAMIVPROC getProgramiv;
  PFNGLDELETEPROGRAMPROC deleteProgram;
  PFNGLUSEPROGRAMPROC useProgram;
  PFNGLGETUNIFORMLOCATIONPROC getUniformLocation;
  PFNGLUNIFORM1IPROC uniform1i;
  PFNGLUNIFORM1FPROC uniform1f;
};

ShaderCalls gl{};
GLuint textureProgram = 0;
GLuint opacityProgram = 0;
GLint opacityUniform = -1;

template <typename Call>
bool look_up(Call* call, const char* name) {
  *call = reinterpret_cast<Call>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
  return *call != nullptr;
}

bool has_shaders() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int major = 0;
  if (version == nullptr || std::sscanf(version, "%d", &major) != 1 || major < 2) {
    return false;
  }
  return look_up(&gl.createShader, "glCreateShader") && look_up(&gl.shaderSource, "glShaderSource") &&
         look_up(&gl.compileShader, "glCompileShader") && look_up(&gl.getShaderiv, "glGetShaderiv") &&
         look_up(&gl.deleteShader, "glDeleteShader") && look_up(&gl.createProgram, "glCreateProgram") &&
         look_up(&gl.attachShader, "glAttachShader") && look_up(&gl.linkProgram, "glLinkProgram") &&
         look_up(&gl.getProgramiv, "glGetProgramiv") && look_up(&gl.deleteProgram, "glDeleteProgram") &&
         look_up(&gl.useProgram, "glUseProgram") && look_up(&gl.getUniformLocation, "glGetUniformLocation") &&
         look_up(&gl.uniform1i, "glUniform1i") && look_up(&gl.uniform1f, "glUniform1f");
}

// 0 when it does not compile.
GLuint compile(GLenum kind, const char* source) {
  const GLuint shader = gl.createShader(kind);
  gl.shaderSource(shader, 1, &source, nullptr);
  gl.compileShader(shader);
  GLint compiled = GL_FALSE;
  gl.getShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled != GL_TRUE) {
    gl.deleteShader(shader);
    return 0;
  }
  return shader;
}

// The program of the common vertex shader and this fragment shader; 0 when it cannot be made.
GLuint link(const char* fragmentSource) {
  const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
  GLuint program = 0;
  if (vertex != 0 && fragment != 0) {
    program = gl.createProgram();
    gl.attachShader(program, vertex);
    gl.attachShader(program, fragment);
    gl.linkProgram(program);
    GLint linked = GL_FALSE;
    gl.getProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
      gl.deleteProgram(program);
      program = 0;
    }
  }
  gl.deleteShader(vertex);  // 0 is ignored
  gl.deleteShader(fragment);
  if (program != 0) {
    gl.useProgram(program);
    gl.uniform1i(gl.getUniformLocation(program, "picture"), 0);
  }
  return program;
}

}  // namespace

bool sprite_shaders_start() {
  textureProgram = opacityProgram = 0;
  if (!has_shaders()) {
    return false;
  }
  textureProgram = link(kTextureShader);
  opacityProgram = link(kOpacityShader);
  opacityUniform = opacityProgram != 0 ? gl.getUniformLocation(opacityProgram, "opacity") : -1;
  if (textureProgram == 0 || opacityProgram == 0 || opacityUniform == -1) {
    gl.useProgram(0);  // the texture environment draws
    gl.deleteProgram(textureProgram);
    gl.deleteProgram(opacityProgram);
    textureProgram = opacityProgram = 0;
    return false;
  }
  return true;
}

void sprite_shaders_use(int intensity) {
  if (intensity >= 255) {
    gl.useProgram(textureProgram);
  } else {
    gl.useProgram(opacityProgram);
    gl.uniform1f(opacityUniform, intensity / 255.0f);
  }
}
