#include "directx/modulate_program.h"

namespace platform::directx {
namespace {

// Texture unit 0, which a sampler names unless told otherwise; OpenGL's texture environment
// GL_MODULATE for the RGB and RGBA textures the surfaces make.
constexpr const char* kFragmentShader =
    "uniform sampler2D texture0;\n"
    "void main() { gl_FragColor = texture2D(texture0, gl_TexCoord[0].st) * gl_Color; }\n";

}  // namespace

bool ModulateProgram::Make(const gl::Functions& gl) {
  GLuint shader = gl.CreateShader(GL_FRAGMENT_SHADER);
  gl.ShaderSource(shader, 1, &kFragmentShader, nullptr);
  gl.CompileShader(shader);
  program_ = gl.CreateProgram();
  gl.AttachShader(program_, shader);
  gl.LinkProgram(program_);
  // The program keeps the shader for as long as it lives.
  gl.DeleteShader(shader);
  GLint linked = GL_FALSE;
  gl.GetProgramiv(program_, GL_LINK_STATUS, &linked);
  return linked == GL_TRUE;
}

bool ModulateProgram::Use(const gl::Functions& gl) {
  if (inUse_) return true;
  if (!gl.shaders || failed_) return false;
  if (!program_ && !Make(gl)) {
    failed_ = true;
    return false;
  }
  gl.UseProgram(program_);
  inUse_ = true;
  return true;
}

void ModulateProgram::Stop(const gl::Functions& gl) {
  if (!inUse_) return;
  gl.UseProgram(0);
  inUse_ = false;
}

}  // namespace platform::directx
