#include "plot/BuildGraph.h"

#include <charconv>
#include <cstdint>
#include <memory>

#include "scene/GraphicsDevice.h"
#include "scene/ArgbColour.h"
#include "scene/SceneMath.h"
#include "scene/SceneNode.h"
#include "plot/SceneGuard.h"
#include "plot/ViewState.h"

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
  m.diffuse = ColorFromArgb(argb);
  m.ambient = m.diffuse;
  return m;
}

// Light grey with the three axis names in black, one per line from the top;
// sets TitleLineHeight to the height of one line.
void WriteAxisNames(ViewState& s, GraphicsDevice& dev) {
  const std::shared_ptr<Surface> surface = s.AxisNameTexture->GetSurfaceLevel(0);
  const std::shared_ptr<RenderToSurface> rts =
      dev.CreateRenderToSurface(kAxisTextureSize, kAxisTextureSize, true);
  rts->BeginScene(surface, Viewport{0, 0, kAxisTextureSize, kAxisTextureSize, 0.0f, 1.0f});
  SceneGuard scene([&rts] { rts->EndScene(); });
  dev.Clear(kTextureBackground);

  Rect measured{0, 0, 0, 0};
  s.TitleFont->MeasureText(s.XAxisName, measured);
  s.TitleLineHeight = measured.bottom;

  const std::string* lines[] = {&s.XAxisName, &s.VerticalAxisName, &s.DepthAxisName};
  for (std::int32_t k = 0; k < 3; ++k) {
    Rect rect{kAxisTextLeft, k * s.TitleLineHeight, 0, 0};
    s.TitleFont->MeasureText(*lines[k], rect);
    s.TitleFont->DrawText(*lines[k], rect, kTextureText);
  }
  scene.End();
}

// One sphere for the point under `group`, named `name`.
void AddPointNode(const ViewState& s, const std::shared_ptr<SceneNode>& group, const DataEntry& p,
                  std::string name) {
  const std::shared_ptr<SceneNode> node = NewSceneNode(group);
  node->SetScale(static_cast<float>(p.size));
  node->SetPosition(glm::vec3(p.x, p.y, p.z));
  node->AddMesh(s.PointMesh)->SetMaterial(ColourMaterial(p.color));
  node->name = std::move(name);
}

// "y >= 0" is false for a y that is not a number: such points go below.
bool AboveFloor(const DataEntry& p) { return p.y >= 0.0f; }

void BuildComparedGroups(ViewState& s) {
  s.ComparedUpper.reset();
  s.ComparedLower.reset();
  if (s.Compared.empty()) return;
  s.ComparedUpper = NewSceneNode(s.RootNode);
  s.ComparedLower = NewSceneNode(s.RootNode);
  for (std::size_t g = 0; g < s.Compared.size(); ++g) {
    const std::shared_ptr<SceneNode> upper = NewSceneNode(s.ComparedUpper);
    const std::shared_ptr<SceneNode> lower = NewSceneNode(s.ComparedLower);
    std::size_t n = 1;
    for (const DataEntry& p : s.Compared[g].Points) {
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
  if (!s.DeviceReady || dev == nullptr) return;

  s.RootNode = NewSceneNode(nullptr);

  s.GlassNode = NewSceneNode(s.RootNode);
  s.GlassNode->AddMesh(s.GlassMesh)->SetMaterial(ColourMaterial(kGlassColour));
  s.GlassNode->SetOrientation(QuatFromAxisDegrees(1, 0, 0, 90));

  s.UpperPoints = NewSceneNode(s.RootNode);
  s.LowerPoints = NewSceneNode(s.RootNode);

  s.XNameAnchor = NewSceneNode(s.RootNode);
  s.XNameAnchor->SetPosition(glm::vec3(0, 0, -6));

  s.DepthNameAnchor = NewSceneNode(s.RootNode);
  s.DepthNameAnchor->SetPosition(glm::vec3(6, 0, 0));
  s.DepthNameAnchor->SetOrientation(QuatFromAxisDegrees(0, 1, 0, -90));

  std::size_t n = 1;
  for (const DataEntry& p : s.Points) {
    AddPointNode(s, AboveFloor(p) ? s.UpperPoints : s.LowerPoints, p, PointNodeName(n));
    ++n;
  }
  BuildComparedGroups(s);

  WriteAxisNames(s, *dev);
  s.GraphBuilt = true;

  s.RootNode->AddRotation(SceneNode::Combine::Before, s.RotationSum.x, s.RotationSum.y,
                          s.RotationSum.z, s.RotationSum.angle);
}

}  // namespace rp
