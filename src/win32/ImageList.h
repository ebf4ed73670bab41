// An image list cut from one stored strip bitmap with a mask colour.
#pragma once

#include "win32/Component.h"
#include "win32/UniqueHandle.h"

namespace win32 {

struct ImageListProps {
    const char* name = "";
    const char* bitmapResource = nullptr;
    COLORREF maskColor = RGB(255, 0, 255);
    int width = 16;
    int height = 16;
};

class ImageList : public Component {
public:
    ImageList(const ImageListProps& props, HINSTANCE instance);

    HIMAGELIST Handle() const { return images_.Get(); }
    int Count() const;

    // Rebuilt whenever the picture or the mask colour changes; an empty
    // picture leaves the images as they are.
    void SetBitmap(HBITMAP bitmap);
    void SetMaskColor(COLORREF color);

private:
    void Rebuild();

    int width_;
    int height_;
    COLORREF maskColor_;
    UniqueBitmap bitmap_;
    UniqueImageList images_;
};

} // namespace win32
