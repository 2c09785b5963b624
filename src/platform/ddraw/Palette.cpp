#include <new>

#include "platform/ddraw/SurfaceImpl.h"

namespace {

class PaletteImpl final : public ddraw::DDComObject<IDirectDrawPalette> {
 public:
  explicit PaletteImpl(const PALETTEENTRY* entries) { std::memcpy(entries_, entries, sizeof entries_); }

  HRESULT QueryInterface(REFIID riid, void** object) override {
    return QueryAmong(riid, object, {&IID_IDirectDrawPalette});
  }

  HRESULT GetEntries(DWORD flags, DWORD base, DWORD count, LPPALETTEENTRY entries) override {
    if (flags || !entries || base > kEntries || count > kEntries - base) return DDERR_INVALIDPARAMS;
    std::memcpy(entries, entries_ + base, count * sizeof(PALETTEENTRY));
    return DD_OK;
  }

 private:
  static constexpr DWORD kEntries = 256;
  PALETTEENTRY entries_[kEntries];
};

}  // namespace

HRESULT ddraw::CreatePalette(DWORD flags, const PALETTEENTRY* entries, LPDIRECTDRAWPALETTE* palette) {
  if (!palette) return DDERR_INVALIDPARAMS;
  *palette = nullptr;
  if (flags & ~(DDPCAPS_8BIT | DDPCAPS_ALLOW256)) return NotBuilt("CreatePalette flags");
  if (!(flags & DDPCAPS_8BIT) || !entries) return DDERR_INVALIDPARAMS;
  if (HRESULT fault = TakeFault(DDCall::Create)) return fault;
  *palette = new (std::nothrow) PaletteImpl(entries);
  return *palette ? DD_OK : DDERR_OUTOFMEMORY;
}
