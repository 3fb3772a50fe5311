#include "shell/Platform.h"

#include "shell/Bitmap.h"
#include "shell/Form.h"

namespace karven {

void Platform::ShowModal(Form& form) {
    form.Localize();
    form.Open();
    if (!form.IsClosed()) RunModal(form);
}

void Platform::StartBackground(BackgroundJob job) {
    const std::atomic<bool> never{false};
    if (job.work) job.work(job.request, job.heard, never);
}

std::vector<uint32_t> Platform::PicturePixels(const std::string& path) { return ReadBitmapPixels(path); }

} // namespace karven
