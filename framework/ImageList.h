#pragma once

#include "Platform.h"

// An image list of the common controls, destroyed with the object. A list
// view that shows it must not destroy it too (LVS_SHAREIMAGELISTS).
class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Cuts a bitmap resource into images `width` pixels wide; pixels of the
    // mask colour are transparent. False when the bitmap cannot be loaded.
    bool Create(UINT bitmapId, int width, int grow, COLORREF mask);
    COLORREF SetBkColor(COLORREF color);
    int GetImageCount() const;
    HIMAGELIST GetSafeHandle() const { return images; }
    void DeleteImageList();

private:
    HIMAGELIST images = nullptr;
};
