// The script's hands on a real window: the window system is asked for the
// new size, and focus changes reach the program as the system would send
// them.
#pragma once

#include "platform/Platform.h"
#include "platform/ScriptBackend.h"

namespace qs {

class SdlScriptBackend : public ScriptBackend {
public:
    explicit SdlScriptBackend(Platform& p) : p_(p) {}
    void Resize(int w, int h) override;
    void Focus(bool in) override;

private:
    Platform& p_;
};

}  // namespace qs
