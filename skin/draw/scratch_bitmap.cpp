#include "skin/draw/scratch_bitmap.h"

namespace skin {
namespace {

// A plain pointer with static storage: it can be asked for safely at any time of static initialisation
// or finalisation, and it is null whenever the bitmap does not exist.
Bitmap* g_scratch = nullptr;

class ScratchOwner {
  public:
    ScratchOwner() { g_scratch = &bitmap_; }
    ~ScratchOwner() { g_scratch = nullptr; }
    ScratchOwner(const ScratchOwner&) = delete;
    ScratchOwner& operator=(const ScratchOwner&) = delete;

  private:
    Bitmap bitmap_;
};

const ScratchOwner g_owner;

} // namespace

Bitmap* FormScratchBitmap() noexcept {
    return g_scratch;
}

} // namespace skin
