// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/BuildGraph.h"

#include <charconv>
#include <cstdint>
#include <memory>

#include "plot/SceneGuard.h"
#include "plot/ViewState.h"
#include "scene/ArgbColour.h"
#include "scene/GraphicsDevice.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"

namespace rp {

namespace {

constexpr std::int32_t kGlassColour = 0x33C0C0C0;  // light grey, alpha 0.2
constexpr Argb32 kTextureBackground = 0xFFC0C0C0;
constexpr Argb32 kTextureText = 0xFF000000;
constexpr std::uint32_t kAxisTextureSize = 256;
constexpr std::int32_t kAxisTextLeft = 10;

// A material lit only by its colour: diffuse and ambient, nothing else.
Material ColourMaterial(std::int32_t argb) {
  Material m{};
  m.diffuse = ColourFromArgb(argb);
  m.ambient = m.diffuse;
  return m;
}

// Light grey with the three axis names in black, one per line from the top;
// sets TitleLineHeight to the height of one line.
void WriteAxisNames(ViewState& s, GraphicsDevice& dev) {
  const std::shared_ptr<Surface> surface = s.axisNameTexture->GetSurfaceLevel(0);
  const std::shared_ptr<RenderToSurface> rts = dev.CreateRenderToSurface(kAxisTextureSize, kAxisTextureSize, true);
  rts->BeginScene(surface, Viewport{0, 0, kAxisTextureSize, kAxisTextureSize, 0.0f, 1.0f});
  SceneGuard scene([&rts] { rts->EndScene(); });
  dev.Clear(kTextureBackground);

  Rect measured{0, 0, 0, 0};
  s.titleFont->MeasureText(s.xAxisName, measured);
  s.titleLineHeight = measured.bottom;

  const std::string* lines[] = {&s.xAxisName, &s.verticalAxisName, &s.depthAxisName};
  for (std::int32_t k = 0; k < 3; ++k) {
    Rect rect{kAxisTextLeft, k * s.titleLineHeight, 0, 0};
    s.titleFont->MeasureText(*lines[k], rect);
    s.titleFont->DrawText(*lines[k], rect, kTextureText);
  }
  scene.End();
}

// One sphere for the point under `group`, named `name`.
void AddPointNode(const ViewState& s, const std::shared_ptr<SceneNode>& group, const DataEntry& p, std::string name) {
  const std::shared_ptr<SceneNode> node = NewSceneNode(group);
  node->SetScale(static_cast<float>(p.size));
  node->SetPosition(glm::vec3(p.x, p.y, p.z));
  node->AddMesh(s.pointMesh)->SetMaterial(ColourMaterial(p.colour));
  node->name = std::move(name);
}

// "y >= 0" is false for a y that is not a number: such points go below.
bool AboveFloor(const DataEntry& p) { return p.y >= 0.0f; }

void BuildComparedGroups(ViewState& s) {
  s.comparedUpper.reset();
  s.comparedLower.reset();
  if (s.compared.empty()) return;
  s.comparedUpper = NewSceneNode(s.rootNode);
  s.comparedLower = NewSceneNode(s.rootNode);
  for (std::size_t g = 0; g < s.compared.size(); ++g) {
    const std::shared_ptr<SceneNode> upper = NewSceneNode(s.comparedUpper);
    const std::shared_ptr<SceneNode> lower = NewSceneNode(s.comparedLower);
    std::size_t n = 1;
    for (const DataEntry& p : s.compared[g].points) {
      AddPointNode(s, AboveFloor(p) ? upper : lower, p, ComparedPointNodeName({g + 1, n}));
      ++n;
    }
  }
}

// A whole positive number filling `text`.
std::optional<std::size_t> ReadCount(std::string_view text) {
  std::size_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value == 0) return std::nullopt;
  return value;
}

}  // namespace

std::string PointNodeName(std::size_t position) { return " " + std::to_string(position); }

std::string ComparedPointNodeName(ComparedPointRef point) {
  return "c" + std::to_string(point.group) + ":" + std::to_string(point.position);
}

std::optional<ComparedPointRef> ReadComparedPointNodeName(std::string_view name) {
  const std::size_t colon = name.find(':');
  if (name.empty() || name[0] != 'c' || colon == std::string_view::npos) return std::nullopt;
  const auto group = ReadCount(name.substr(1, colon - 1));
  const auto position = ReadCount(name.substr(colon + 1));
  if (!group || !position) return std::nullopt;
  return ComparedPointRef{*group, *position};
}

void BuildGraph(ViewState& s, GraphicsDevice* dev) {
  if (!s.deviceReady || dev == nullptr) return;

  s.rootNode = NewSceneNode(nullptr);

  s.glassNode = NewSceneNode(s.rootNode);
  s.glassNode->AddMesh(s.glassMesh)->SetMaterial(ColourMaterial(kGlassColour));
  s.glassNode->SetOrientation(QuatFromAxisDegrees(1, 0, 0, 90));

  s.upperPoints = NewSceneNode(s.rootNode);
  s.lowerPoints = NewSceneNode(s.rootNode);

  s.xNameAnchor = NewSceneNode(s.rootNode);
  s.xNameAnchor->SetPosition(glm::vec3(0, 0, -6));

  s.depthNameAnchor = NewSceneNode(s.rootNode);
  s.depthNameAnchor->SetPosition(glm::vec3(6, 0, 0));
  s.depthNameAnchor->SetOrientation(QuatFromAxisDegrees(0, 1, 0, -90));

  std::size_t n = 1;
  for (const DataEntry& p : s.points) {
    AddPointNode(s, AboveFloor(p) ? s.upperPoints : s.lowerPoints, p, PointNodeName(n));
    ++n;
  }
  BuildComparedGroups(s);

  WriteAxisNames(s, *dev);
  s.graphBuilt = true;

  s.rootNode->AddRotation(SceneNode::Combine::Before, s.rotationSum.x, s.rotationSum.y, s.rotationSum.z,
                          s.rotationSum.angle);
}

}  // namespace rp
