#include "shell/Platform.h"

#include "shell/Bitmap.h"
#include "shell/Form.h"

namespace karven {

void Platform::ShowModal(Form& form) {
    form.Localize();
    form.Open();
    if (!form.IsClosed()) RunModal(form);
}

std::vector<uint32_t> Platform::PicturePixels(const std::string& path) { return ReadBitmapPixels(path); }

} // namespace karven
