#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/InteractionScene.h"
#include "plot/HoverLabel.h"
#include "plot/MouseOver.h"
#include "io/NumberFormat.h"

namespace rp {
namespace {

using testing::MakePoint;
using testing::ScreenOf;

TEST(NumberFormat, ThreeDecimalsRoundedHalfAwayFromZero) {
  EXPECT_EQ(FormatNumber(1, "0.000", "."), "1.000");
  EXPECT_EQ(FormatNumber(0, "0.000", "."), "0.000");
  EXPECT_EQ(FormatNumber(0.25, "0.000", ","), "0,250");
  EXPECT_EQ(FormatNumber(123.45678, "0.000", "."), "123.457");
  EXPECT_EQ(FormatNumber(0.0625, "0.000", "."), "0.063");   // an exact half
  EXPECT_EQ(FormatNumber(-0.0625, "0.000", "."), "-0.063");
  EXPECT_EQ(FormatNumber(0.9996, "0.000", "."), "1.000");   // carry into the integer
  EXPECT_EQ(FormatNumber(99.9999, "0.000", "."), "100.000");
  EXPECT_EQ(FormatNumber(-0.0001, "0.000", "."), "0.000");  // no "-0.000"
  EXPECT_EQ(FormatNumber(-1.5, "0.000", "."), "-1.500");
  EXPECT_EQ(FormatNumber(1.005, "0.00", "."), "1.00");      // 1.005 is 1.00499999... in binary
  EXPECT_EQ(FormatNumber(2.5, "0", "."), "3");
  EXPECT_EQ(FormatNumber(0.5, "#.00", "."), ".50");
  EXPECT_EQ(FormatNumber(7, "00.0 ms", "."), "07.0 ms");
  EXPECT_EQ(FormatNumber(1e300, "0.000", ".").size(), 301u + 4u);
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "0.000", "."), "inf");
  EXPECT_EQ(FormatNumber(0.1, "", ","), "0,1");
  EXPECT_FALSE(UserDecimalSeparator().empty());
}

TEST(HoverLabel, FiveLinesAndPlacementBesideTheCursor) {
  PlotPoints titles;
  titles.XAxisName = "actual event (n)";
  titles.VerticalAxisName = "event n+2d";
  titles.DepthAxisName = "event n+d";
  titles.SizeName = "s";
  DataEntry p = MakePoint("Event 12", 0, 0, 0);
  p.datax = 512.5;
  p.datay = 0.1234;
  p.dataz = -3;
  p.dataSize = 1;
  EXPECT_EQ(HoverLabelText(titles, p, "."),
            "Event 12\r actual event (n)=512.500\r event n+2d=0.123\r event n+d=-3.000\r s=1.000");
  titles.SizeValueFormat = "0";
  EXPECT_EQ(HoverLabelText(titles, p, ",").substr(9),
            " actual event (n)=512,500\r event n+2d=0,123\r event n+d=-3,000\r s=1");

  const Rect r = HoverLabelRect(300.4f, 200.6f);
  EXPECT_EQ(r.left, 280);
  EXPECT_EQ(r.top, 131);
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 0);
  // Near the top-left corner: negative becomes 1, 0 stays 0.
  EXPECT_EQ(HoverLabelRect(5, 30).left, 1);
  EXPECT_EQ(HoverLabelRect(5, 30).top, 1);
  EXPECT_EQ(HoverLabelRect(20, 70).left, 0);
  EXPECT_EQ(HoverLabelRect(20, 70).top, 0);
}

class MouseOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.XAxisName = "x";
    s.VerticalAxisName = "y";
    s.DepthAxisName = "z";
    s.SizeName = "s";
    testing::SetWindowCamera(dev);
  }
  glm::vec3 Screen(const glm::vec3& p) { return ScreenOf(dev, p, s.RootNode->GetMatrix()); }
  ViewState s;
  RecordingDevice dev;
};

TEST_F(MouseOverTest, HoverShowsTheNearestSphereAndMissHidesIt) {
  DataEntry far = MakePoint("far", 0, 2, 2, 5.0);
  far.datax = 1;
  s.Points.Add(far);
  DataEntry nearPt = MakePoint("near", 0, 2, -2, 5.0);  // in front of "far", nearer to the eye
  nearPt.datax = 2;
  s.Points.Add(nearPt);
  s.Points.Add(MakePoint("aside", 3, 2, 0));
  testing::BuildTestScene(s, dev);
  s.RootNode->AddRotation(SceneNode::Combine::Before, 0, 1, 0, 0.2f);

  const glm::vec3 at = Screen({0, 2, -2});
  MouseOver(s, dev, at.x, at.y);
  ASSERT_TRUE(s.ShowHoverText);
  EXPECT_EQ(s.HoverText.substr(0, s.HoverText.find('\r')), "near");
  EXPECT_NE(s.HoverText.find(" x=2.000\r"), std::string::npos);
  EXPECT_EQ(s.HoverRect.left, static_cast<std::int32_t>(std::nearbyint(at.x - 20)));
  EXPECT_EQ(s.HoverRect.top, static_cast<std::int32_t>(std::nearbyint(at.y - 70)));

  const glm::vec3 aside = Screen({3, 2, 0});
  MouseOver(s, dev, aside.x, aside.y);
  EXPECT_EQ(s.HoverText.substr(0, 5), "aside");

  // Off every sphere: hidden, text and place kept for the next hover.
  const Rect before = s.HoverRect;
  MouseOver(s, dev, 5, 5);
  EXPECT_FALSE(s.ShowHoverText);
  EXPECT_EQ(s.HoverText.substr(0, 5), "aside");
  EXPECT_EQ(s.HoverRect.left, before.left);

  // Nothing at all before the device exists.
  s.DeviceReady = false;
  MouseOver(s, dev, aside.x, aside.y);
  EXPECT_FALSE(s.ShowHoverText);
}

TEST_F(MouseOverTest, PointsUnderTheGlassAreHoveredAndStaleScenesAreNoHit) {
  s.Points.Add(MakePoint("below", 0, -1, 0, 3.0));
  testing::BuildTestScene(s, dev);
  s.GlassNode->enabled = true;  // as the glass pass of the last frame left it
  const glm::vec3 at = Screen({0, -1, 0});
  MouseOver(s, dev, at.x, at.y);
  EXPECT_TRUE(s.ShowHoverText);
  EXPECT_EQ(s.HoverText.substr(0, 5), "below");
  EXPECT_FALSE(s.GlassNode->enabled);

  // The points were replaced but the scene still shows the old ones: a sphere
  // naming a point that is gone is no hit rather than a fault.
  s.Points = PointCollection{};
  MouseOver(s, dev, at.x, at.y);
  EXPECT_FALSE(s.ShowHoverText);
}

}  // namespace
}  // namespace rp
