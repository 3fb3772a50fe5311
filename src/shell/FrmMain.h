#pragma once
// The title window shown at start-up and from Help/Version.

#include "shell/Form.h"

namespace karven {

class FrmMain : public Form {
public:
    FrmMain();
    void Load() override;
};

} // namespace karven
