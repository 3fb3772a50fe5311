#pragma once
// A form's state as JSON for the page's binder: everything it draws, nothing it runs.

#include <string>

namespace karven {
class Form;
}

namespace karven::web {

std::string FormJson(const Form& form, bool modal);

} // namespace karven::web
