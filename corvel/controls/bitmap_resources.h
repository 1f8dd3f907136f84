// LoadBitmapResource, BitmapSize: the bitmaps of the controls from the module that holds the resources.
#pragma once
#include "framework/ui.h"

// A bitmap resource of the resource module, or null.
inline HBITMAP LoadBitmapResource(int id)
{
    return static_cast<HBITMAP>(
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

// The size of a bitmap; false (and nothing set) for a null handle or another kind of object.
inline bool BitmapSize(HBITMAP bitmap, int& width, int& height)
{
    BITMAP info = {};
    if (bitmap == nullptr || ::GetObjectType(bitmap) != OBJ_BITMAP || ::GetObjectA(bitmap, sizeof info, &info) == 0)
        return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}
