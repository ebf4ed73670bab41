#include "win32/ImageList.h"

namespace win32 {

ImageList::ImageList(const ImageListProps& props, HINSTANCE instance)
    : Component(props.name), width_(props.width), height_(props.height), maskColor_(props.maskColor),
      images_(::ImageList_Create(props.width, props.height, ILC_COLOR24 | ILC_MASK, 8, 8))
{
    if (props.bitmapResource)
        SetBitmap(static_cast<HBITMAP>(::LoadImageA(instance, props.bitmapResource, IMAGE_BITMAP, 0, 0,
                                                    LR_CREATEDIBSECTION)));
}

int ImageList::Count() const
{
    return ::ImageList_GetImageCount(images_.Get());
}

void ImageList::SetBitmap(HBITMAP bitmap)
{
    bitmap_.Reset(bitmap);
    Rebuild();
}

void ImageList::SetMaskColor(COLORREF color)
{
    if (color == maskColor_)
        return;
    maskColor_ = color;
    Rebuild();
}

void ImageList::Rebuild()
{
    BITMAP info{};
    if (!bitmap_ || !::GetObjectA(bitmap_.Get(), sizeof info, &info) || info.bmWidth < width_ ||
        info.bmHeight < height_)
        return;
    ::ImageList_RemoveAll(images_.Get());
    // AddMasked cuts the strip into cells of the list's width, left to right,
    // and alters the bitmap it is given: hand it a copy.
    UniqueBitmap copy(static_cast<HBITMAP>(::CopyImage(bitmap_.Get(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ::ImageList_AddMasked(images_.Get(), copy.Get(), maskColor_);
}

} // namespace win32
