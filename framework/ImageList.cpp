#include "ImageList.h"

#include "Resources.h"
#include "Wnd.h"

CImageList::~CImageList()
{
    DeleteImageList();
}

bool CImageList::Create(UINT bitmapId, int width, int grow, COLORREF mask)
{
    DeleteImageList();
    images = ImageList_LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(bitmapId), width, grow, mask,
                                  IMAGE_BITMAP, 0);
    return images != nullptr;
}

COLORREF CImageList::SetBkColor(COLORREF color)
{
    return ImageList_SetBkColor(images, color);
}

int CImageList::GetImageCount() const
{
    return images != nullptr ? ImageList_GetImageCount(images) : 0;
}

void CImageList::DeleteImageList()
{
    if (images != nullptr)
        ImageList_Destroy(images);
    images = nullptr;
}
