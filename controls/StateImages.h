#pragma once
// The state pictures of a skinned control (a button's normal, hover, pressed and disabled, a
// tab's normal, hot and selected): loaded by resource id for a DPI and made again when it
// changes, or given as handles that stay as given. A picture named for several states is held once.
#include <windows.h>

#include <span>

#include "framework/Dpi.h"
#include "framework/UniqueHandle.h"

namespace scw {

class StateImages {
public:
    static constexpr size_t kMaxStates = 4;

    // `size` is the draw size at 96 DPI. False unless every state's picture loaded.
    bool Load(std::span<const UINT> ids, SIZE size, Dpi dpi);
    // Takes ownership of the bitmaps; `size` stays as given.
    void Adopt(std::span<const HBITMAP> handles, SIZE size);
    // Loads again when the pictures came by id and were made for another DPI.
    void EnsureFor(Dpi dpi);

    HBITMAP Get(size_t state) const { return state < count_ ? images_[state] : nullptr; }
    bool All() const;
    bool FromIds() const { return fromIds_; }
    // As given; ShownSize is what a paint at `dpi` covers.
    SIZE DrawSize() const { return size_; }
    SIZE ShownSize(Dpi dpi) const { return fromIds_ ? dpi.Scale(size_) : size_; }

private:
    void LoadFor(Dpi dpi);

    size_t count_ = 0;
    UniqueBitmap owned_[kMaxStates];    // each distinct bitmap once
    HBITMAP images_[kMaxStates] = {};  // per state, borrowed from owned_
    UINT ids_[kMaxStates] = {};        // resources the images come from; all 0 for images given as handles
    bool fromIds_ = false;
    Dpi madeFor_;
    SIZE size_{0, 0};
};

}  // namespace scw
