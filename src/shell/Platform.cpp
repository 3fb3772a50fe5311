#include "shell/Platform.h"

#include "shell/Form.h"

namespace karven {

void Platform::ShowModal(Form& form) {
    form.Localize();
    form.Open();
    if (!form.IsClosed()) RunModal(form);
}

} // namespace karven
