#pragma once
// The fixed identities of the shell extension. The same GUIDs stand in lumeShl.idl,
// lumeShl.rgs and the installer script; the registration test holds them together.
#include <windows.h>

namespace lume {

// {5C0A7E31-8B1D-4F6A-9E2C-3D7B41A6F0C9}
inline constexpr CLSID kClsidNixShl = {0x5c0a7e31, 0x8b1d, 0x4f6a, {0x9e, 0x2c, 0x3d, 0x7b, 0x41, 0xa6, 0xf0, 0xc9}};
// {7E4B2D90-1C3F-4A85-B6E7-2F9D0C8A5B13}
inline constexpr GUID kLibidLumeShl = {0x7e4b2d90, 0x1c3f, 0x4a85, {0xb6, 0xe7, 0x2f, 0x9d, 0x0c, 0x8a, 0x5b, 0x13}};
// {A3D61F2E-5B07-4C9A-8E14-6F2B9D3C7A58}
inline constexpr IID kIidINixShl = {0xa3d61f2e, 0x5b07, 0x4c9a, {0x8e, 0x14, 0x6f, 0x2b, 0x9d, 0x3c, 0x7a, 0x58}};

inline constexpr char kClsidText[] = "{5C0A7E31-8B1D-4F6A-9E2C-3D7B41A6F0C9}";
inline constexpr char kProgId[] = "LumeShl.NixShl.1";

// Resources of the DLL.
inline constexpr UINT kRegistryScriptId = 101;
inline constexpr UINT kMenuTextId = 101;
inline constexpr UINT kMenuBitmapId = 201;

}  // namespace lume
