#pragma once
// The pictures of the task windows, drawn by resources/tasks/make_task_pictures.sh and built into
// the program: the six 16 x 16 node images and the shutdown countdown's JPEG.

#include <windows.h>
#include <commctrl.h>

#include "base/win32/gdi.h"

namespace kalvoro::win {

// 96 x 16 pixels, top-down RGB, magenta (FF00FF) see-through: running task, stopped task, sound,
// message, command, add task.
extern const unsigned char kTaskImageStripRgb[96 * 16 * 3];
extern const unsigned char kShutDownJpeg[];
extern const unsigned kShutDownJpegSize;

// The node images as a 24-bit bitmap strip with magenta where it is see-through (menus use it).
Bitmap CreateTaskImageStrip();
// The six images as an image list with a mask; the caller destroys it with ImageList_Destroy.
HIMAGELIST CreateTaskImageList();
// The countdown's picture as a 24-bit bitmap, or null when it cannot be decoded.
Bitmap CreateShutDownPicture(int& width, int& height);

}  // namespace kalvoro::win
