#pragma once
// A transform node of the scene: a local matrix, ordered child frames and
// ordered meshes. The local matrix is rebuilt from scale s, orientation
// centre c, orientation q and position p as S(s) x T(-c) x R(q) x T(c) x T(p)
// whenever one of those is set; SetMatrix and the Add* compositions change it
// directly and leave the components as they were.
//
// Frames are shared: the same frame may sit under several parents (it is
// then drawn under each). The caller keeps the graph free of cycles. Frames
// must be owned by a std::shared_ptr (make them with D3DUtil_NewFrame or
// std::make_shared), since a search may hand back the frame itself.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "scene/CD3DMesh.h"
#include "scene/D3DMath.h"

namespace rp {

class CD3DFrame;

// What FindChildObject returns: nothing, a frame or a mesh.
using FoundObject = std::variant<std::monostate, std::shared_ptr<CD3DFrame>, std::shared_ptr<CD3DMesh>>;

// Called with the id stored next to it.
using FrameCallback = std::function<void(std::int32_t id)>;

class CD3DFrame : public std::enable_shared_from_this<CD3DFrame> {
 public:
  // How Add* combines the new matrix M with the local matrix L.
  enum CombineType : std::int32_t {
    kBefore = 0,   // M x L: M acts first, in the frame's own space
    kAfter = 1,    // L x M: M acts after, in the parent's space
    kReplace = 2,  // M
  };

  std::string ObjectName;
  bool Enabled = true;  // false: Render and viewport picking skip this subtree

  void SetPreRenderCallback(FrameCallback cb, std::int32_t id);
  void SetPostRenderCallback(FrameCallback cb, std::int32_t id);

  void AddChild(std::shared_ptr<CD3DFrame> child);
  void AddMesh(std::shared_ptr<CD3DMesh> childMesh);
  // Wraps shared geometry in a new CD3DMesh (InitFromD3DXMesh), appends and
  // returns it.
  std::shared_ptr<CD3DMesh> AddD3DXMesh(std::shared_ptr<Mesh> mesh);

  void SetPosition(const D3DVECTOR& vec);
  // The translation row of the local matrix, not the stored position.
  D3DVECTOR GetPosition() const;
  void SetOrientation(const D3DQUATERNION& quat);
  D3DQUATERNION GetOrientation() const { return orientation_; }
  void SetScale(float val);
  float GetScale() const { return scale_; }
  void SetOrientationCenter(const D3DVECTOR& vec);
  D3DVECTOR GetOrientationCenter() const { return center_; }

  const D3DMATRIX& GetMatrix() const { return local_; }
  void SetMatrix(const D3DMATRIX& m) { local_ = m; }

  std::int32_t GetChildMeshCount() const { return static_cast<std::int32_t>(meshes_.size()); }
  std::int32_t GetChildFrameCount() const { return static_cast<std::int32_t>(children_.size()); }
  // Index outside 0 .. count - 1: std::out_of_range.
  std::shared_ptr<CD3DMesh> GetChildMesh(std::int32_t index) const;
  std::shared_ptr<CD3DFrame> GetChildFrame(std::int32_t index) const;

  // Depth-first preorder, exact names: this frame, its meshes, then each
  // child's subtree. flags has no effect.
  FoundObject FindChildObject(const std::string& name, std::int32_t flags = 0);
  // The frame that directly holds the named mesh or child frame; this
  // frame's own name is not compared.
  std::shared_ptr<CD3DFrame> FindChildParent(const std::string& name, std::int32_t flags = 0);

  // Empties both lists; transform, name, flag and callbacks stay.
  void Destroy();

  // Walks over every mesh of the subtree.
  void FlipNormals();
  void ComputeNormals();
  void Optimize();
  void ComputeBoundingVolumes();

  // Updated (world) matrices of this subtree, with the identity as this
  // frame's parent: updated = local x parent's updated, plus its inverse.
  void UpdateFrames();
  const D3DMATRIX& GetUpdatedMatrix() const { return updated_; }
  const D3DMATRIX& GetInverseUpdatedMatrix() const { return inverseUpdated_; }

  // Two passes from the identity world transform: opaque subsets, then with
  // alpha blending (source alpha / inverse source alpha) the see-through ones.
  void Render(GraphicsDevice& dev);

  void AddRotation(std::int32_t combinetype, float x, float y, float z, float rot);
  void AddScale(std::int32_t combinetype, float x, float y, float z);
  void AddTranslation(std::int32_t combinetype, float x, float y, float z);

  // Through the updated matrix (world space) and back through its inverse.
  D3DVECTOR TransformCoord(const D3DVECTOR& vIn) const;
  D3DVECTOR TransformNormal(const D3DVECTOR& vIn) const;
  D3DVECTOR InverseTransformCoord(const D3DVECTOR& vIn) const;
  D3DVECTOR InverseTransformNormal(const D3DVECTOR& vIn) const;

  void InvalidateDeviceObjects() {}
  void RestoreDeviceObjects(GraphicsDevice&) {}
  static std::string ClassName() { return "CD3DFrame"; }

 private:
  void RebuildMatrix();
  void Combine(std::int32_t combinetype, const D3DMATRIX& m);
  void UpdateWalk(const D3DMATRIX& parent);
  void RenderWalk(GraphicsDevice& dev, bool opaque, bool transparent);
  template <class F>
  void ForEachMesh(F f);

  D3DMATRIX local_ = D3DXMatrixIdentity();
  D3DMATRIX updated_{};
  D3DMATRIX inverseUpdated_{};
  std::vector<std::shared_ptr<CD3DMesh>> meshes_;
  std::vector<std::shared_ptr<CD3DFrame>> children_;
  FrameCallback preRender_, postRender_;
  std::int32_t preRenderId_ = 0, postRenderId_ = 0;
  D3DVECTOR position_{0, 0, 0};
  D3DQUATERNION orientation_{0, 0, 0, 1};
  D3DVECTOR center_{0, 0, 0};
  float scale_ = 1.0f;
};

// A new frame with the defaults above, appended to parent's children when a
// parent is given.
std::shared_ptr<CD3DFrame> D3DUtil_NewFrame(const std::shared_ptr<CD3DFrame>& parent);

}  // namespace rp
