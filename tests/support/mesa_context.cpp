// EGL set-up for Mesa's software OpenGL: surfaceless platform, pbuffer, compatibility
// profile (the fixed-function pipeline).
#include "mesa_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdlib>

namespace kelvane::test {

MesaContext::MesaContext(int width, int height) : width_(width), height_(height) {
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);  // llvmpipe or softpipe, never a GPU driver
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  EGLDisplay display = EGL_NO_DISPLAY;
  if (getPlatformDisplay) display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) {
    failure_ = "no EGL display on the surfaceless platform";
    return;
  }
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) {
    failure_ = "eglInitialize failed";
    return;
  }
  display_ = display;
  if (!eglBindAPI(EGL_OPENGL_API)) {
    failure_ = "EGL cannot bind desktop OpenGL";
    return;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                                     EGL_DEPTH_SIZE, 24, EGL_NONE};
  EGLConfig config;
  EGLint configs = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &configs) || configs == 0) {
    failure_ = "no EGL config with a pbuffer, RGB8 and 24-bit depth";
    return;
  }
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE) {
    failure_ = "eglCreatePbufferSurface failed";
    return;
  }
  surface_ = surface;
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                      EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) {
    failure_ = "eglCreateContext failed";
    return;
  }
  context_ = context;
  if (!eglMakeCurrent(display, surface, surface, context)) {
    failure_ = "eglMakeCurrent failed";
    return;
  }
  ok_ = true;
}

MesaContext::~MesaContext() {
  if (!display_) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_) eglDestroyContext(display_, context_);
  if (surface_) eglDestroySurface(display_, surface_);
  eglTerminate(display_);
}

std::string MesaContext::renderer() const {
  const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return text ? text : "";
}

Image MesaContext::read() const {
  Image image;
  image.width = width_;
  image.height = height_;
  image.pixels.resize(static_cast<size_t>(width_) * height_);
  std::vector<uint32_t> bottomUp(image.pixels.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, bottomUp.data());
  for (int y = 0; y < height_; ++y)
    std::copy_n(&bottomUp[static_cast<size_t>(height_ - 1 - y) * width_], width_,
                &image.pixels[static_cast<size_t>(y) * width_]);
  return image;
}

}  // namespace kelvane::test
