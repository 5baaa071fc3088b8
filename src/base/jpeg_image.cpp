#include "base/jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <new>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace kalvoro {
namespace {

// libjpeg reports a fatal error by calling error_exit, which by default ends the process. Ours jumps
// back to the trapped call instead. The jump only crosses libjpeg's C frames and the small
// functions below, which hold no C++ objects, so no destructor is skipped.
struct ErrorTrap {
    jpeg_error_mgr manager;  // first, so the library's pointer is also a pointer to the trap
    std::jmp_buf jump;
    bool damaged;
};

ErrorTrap* TrapOf(j_common_ptr info) {
    return reinterpret_cast<ErrorTrap*>(info->err);
}

void JumpToTrap(j_common_ptr info) {
    std::longjmp(TrapOf(info)->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

void NoteWarning(j_common_ptr info, int level) {
    if (level >= 0) return;
    ++info->err->num_warnings;
    // The library pads a cut-off or corrupt scan with grey and carries on; such a picture is
    // rejected instead. A file that merely lacks its end marker still has every row.
    const int code = info->err->msg_code;
    if (code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC) {
        TrapOf(info)->damaged = true;
    }
}

constexpr long kMaxLibraryMemory = 256L * 1024 * 1024;

bool StartTrapped(jpeg_decompress_struct* info, ErrorTrap* trap, const unsigned char* data, unsigned long size) {
    if (setjmp(trap->jump) != 0) return false;
    jpeg_create_decompress(info);
    info->mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_mem_src(info, data, size);
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
    if (info->image_width < 1 || info->image_height < 1 || info->image_width > kMaxJpegSide ||
        info->image_height > kMaxJpegSide) {
        return false;
    }
    switch (info->jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_RGB:
        case JCS_YCbCr:
            info->out_color_space = JCS_RGB;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            info->out_color_space = JCS_CMYK;
            break;
        default:
            return false;
    }
    jpeg_start_decompress(info);
    return info->output_width == info->image_width && info->output_height == info->image_height &&
           (info->output_components == 3 || info->output_components == 4);
}

// CMYK pictures are written by Adobe software with inverted ink values, which makes the
// conversion to RGB a product with the black channel.
void CmykRowToRgb(const unsigned char* cmyk, unsigned char* rgb, unsigned width) {
    for (unsigned x = 0; x < width; ++x) {
        const unsigned black = cmyk[4 * x + 3];
        for (int channel = 0; channel < 3; ++channel) {
            rgb[3 * x + channel] = static_cast<unsigned char>(cmyk[4 * x + channel] * black / 255);
        }
    }
}

// The pixels grow row by row as they decode: a few hundred bytes whose header claims a picture of
// the largest size must not cost the whole picture's memory before its first damaged row.
// (A bad_alloc from the growing leaves through this frame as an exception, not through the jump.)
bool ReadRowsTrapped(jpeg_decompress_struct* info, ErrorTrap* trap, unsigned char* row,
                     std::vector<std::uint8_t>* rgb) {
    if (setjmp(trap->jump) != 0) return false;
    const unsigned width = info->output_width;
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
    while (info->output_scanline < info->output_height) {
        JSAMPROW row_pointer = row;
        if (jpeg_read_scanlines(info, &row_pointer, 1) != 1) return false;
        if (trap->damaged) return false;
        const std::size_t at = rgb->size();
        rgb->resize(at + row_bytes);
        if (info->output_components == 4) {
            CmykRowToRgb(row, rgb->data() + at, width);
        } else {
            std::memcpy(rgb->data() + at, row, row_bytes);
        }
    }
    jpeg_finish_decompress(info);
    return !trap->damaged;
}

class Decompressor {
public:
    Decompressor() {
        std::memset(&info_, 0, sizeof info_);
        std::memset(&trap_, 0, sizeof trap_);
        info_.err = jpeg_std_error(&trap_.manager);
        trap_.manager.error_exit = JumpToTrap;
        trap_.manager.output_message = IgnoreMessage;
        trap_.manager.emit_message = NoteWarning;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info_); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct* info() { return &info_; }
    ErrorTrap* trap() { return &trap_; }

private:
    jpeg_decompress_struct info_;
    ErrorTrap trap_;
};

}  // namespace

std::optional<RgbImage> DecodeJpeg(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFu) return std::nullopt;
    Decompressor decompressor;
    if (!StartTrapped(decompressor.info(), decompressor.trap(), reinterpret_cast<const unsigned char*>(bytes.data()),
                      static_cast<unsigned long>(bytes.size()))) {
        return std::nullopt;
    }
    const jpeg_decompress_struct& info = *decompressor.info();
    try {
        RgbImage image;
        image.width = static_cast<int>(info.output_width);
        image.height = static_cast<int>(info.output_height);
        std::vector<unsigned char> row(static_cast<std::size_t>(image.width) * 4);
        if (!ReadRowsTrapped(decompressor.info(), decompressor.trap(), row.data(), &image.rgb)) {
            return std::nullopt;
        }
        return image;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace kalvoro
