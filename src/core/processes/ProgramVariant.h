// The one place where the 64-bit program differs from the 32-bit one. Both
// are built from the same sources; the build's pointer size picks the
// variant, and everything that differs reads it from here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace core {

enum class ImageHeaderForm {
    // ImageBase read as 32 bits at offset 52 of the NT headers, whatever the
    // optional header's magic says: what a 32-bit program can show anyway.
    Pe32Only,
    // PE32 (magic 0x10B) or PE32+ (0x20B) as the magic says; anything else is
    // no image. A 64-bit program sees both kinds of module.
    ByMagic,
};

struct ProgramVariant {
    // The Toolhelp records as the kernel of this width writes them.
    std::size_t processEntrySize;
    std::size_t moduleEntrySize;
    ImageHeaderForm imageHeaders;
    // The detail snapshot's flags: a 64-bit program adds TH32CS_SNAPMODULE32
    // (0x10), so a 32-bit process under WOW64 shows its 32-bit modules.
    uint32_t detailSnapshotFlags;
    // Designed width of "Base addr" and "Image addr": eight hex digits in a
    // 32-bit address space, twelve in a 64-bit one.
    int addressColumnWidth;
    // The find window's snapshot of one process's modules: TH32CS_SNAPMODULE
    // (8), and in a 64-bit program TH32CS_SNAPMODULE32 as well, for the same
    // reason as the detail snapshot.
    uint32_t moduleSnapshotFlags;
};

inline constexpr ProgramVariant kProgram32{296, 548, ImageHeaderForm::Pe32Only, 15, 70, 8};
inline constexpr ProgramVariant kProgram64{304, 568, ImageHeaderForm::ByMagic, 15 | 0x10, 90, 8 | 0x10};

inline constexpr bool kIs64BitProgram = sizeof(void*) == 8;
inline constexpr ProgramVariant kThisProgram = kIs64BitProgram ? kProgram64 : kProgram32;

} // namespace core
