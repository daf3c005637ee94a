// Per-vertex lighting in camera space: material sources, ambient, directional, point
// and spot lights with range, attenuation and cone falloff, and specular highlights.
#include <algorithm>
#include <cmath>

#include "matrix.h"
#include "pipeline.h"

namespace d3d8sw {

namespace {

Color pickSource(DWORD source, const D3DCOLORVALUE& material, const Color* vertexDiffuse,
                 const Color* vertexSpecular, bool colorVertex) {
  if (colorVertex && source == D3DMCS_COLOR1 && vertexDiffuse) return *vertexDiffuse;
  if (colorVertex && source == D3DMCS_COLOR2 && vertexSpecular) return *vertexSpecular;
  return Color{material.r, material.g, material.b, material.a};
}

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

}  // namespace

void lightVertex(const DrawState& s, const float* p, const float* n, const Color* vertexDiffuse,
                 const Color* vertexSpecular, Color* diffuseOut, Color* specularOut) {
  const Color md = pickSource(s.diffuseSource, s.material.Diffuse, vertexDiffuse, vertexSpecular, s.colorVertex);
  const Color ma = pickSource(s.ambientSource, s.material.Ambient, vertexDiffuse, vertexSpecular, s.colorVertex);
  const Color ms = pickSource(s.specularSource, s.material.Specular, vertexDiffuse, vertexSpecular, s.colorVertex);
  const Color me = pickSource(s.emissiveSource, s.material.Emissive, vertexDiffuse, vertexSpecular, s.colorVertex);

  float ambient[3] = {s.globalAmbient.r, s.globalAmbient.g, s.globalAmbient.b};
  float diffuse[3] = {0, 0, 0};
  float specular[3] = {0, 0, 0};
  float toEye[3] = {0.0f, 0.0f, -1.0f};
  if (s.localViewer) {
    toEye[0] = -p[0];
    toEye[1] = -p[1];
    toEye[2] = -p[2];
    normalize3(toEye);
  }

  for (int i = 0; i < s.lightCount; ++i) {
    const CameraLight& light = s.lights[i];
    float l[3];
    float factor = 1.0f;  // attenuation times spot factor
    if (light.type == D3DLIGHT_DIRECTIONAL) {
      l[0] = light.toLight[0];
      l[1] = light.toLight[1];
      l[2] = light.toLight[2];
    } else {
      for (int k = 0; k < 3; ++k) l[k] = light.position[k] - p[k];
      const float distance = std::sqrt(dot3(l, l));
      if (distance > light.range) continue;
      if (distance > 0.0f)
        for (float& c : l) c /= distance;
      const float denominator = light.attenuation[0] + light.attenuation[1] * distance +
                                light.attenuation[2] * distance * distance;
      factor = denominator > 0.0f ? 1.0f / denominator : 1.0f;
      if (light.type == D3DLIGHT_SPOT) {
        const float rho = -dot3(l, light.direction);
        if (rho <= light.cosHalfPhi) continue;
        if (rho < light.cosHalfTheta) {
          const float span = light.cosHalfTheta - light.cosHalfPhi;
          float t = span > 0.0f ? (rho - light.cosHalfPhi) / span : 1.0f;
          if (light.falloff != 1.0f) t = std::pow(t, light.falloff);
          factor *= t;
        }
      }
    }
    ambient[0] += factor * light.ambient.r;
    ambient[1] += factor * light.ambient.g;
    ambient[2] += factor * light.ambient.b;
    if (!n) continue;
    const float nDotL = dot3(n, l);
    if (nDotL <= 0.0f) continue;
    diffuse[0] += factor * nDotL * light.diffuse.r;
    diffuse[1] += factor * nDotL * light.diffuse.g;
    diffuse[2] += factor * nDotL * light.diffuse.b;
    if (s.specularEnable && s.material.Power > 0.0f) {
      float h[3] = {l[0] + toEye[0], l[1] + toEye[1], l[2] + toEye[2]};
      normalize3(h);
      const float nDotH = dot3(n, h);
      if (nDotH > 0.0f) {
        const float power = factor * std::pow(nDotH, s.material.Power);
        specular[0] += power * light.specular.r;
        specular[1] += power * light.specular.g;
        specular[2] += power * light.specular.b;
      }
    }
  }
  *diffuseOut = Color{clamp01(me.r + ma.r * ambient[0] + md.r * diffuse[0]),
                      clamp01(me.g + ma.g * ambient[1] + md.g * diffuse[1]),
                      clamp01(me.b + ma.b * ambient[2] + md.b * diffuse[2]), clamp01(md.a)};
  *specularOut = Color{clamp01(ms.r * specular[0]), clamp01(ms.g * specular[1]),
                       clamp01(ms.b * specular[2]), clamp01(ms.a)};
}

}  // namespace d3d8sw
