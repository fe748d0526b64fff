// The script's hands on the headless window: a resize changes the
// framebuffer and queues the resize event, a focus change flips the active
// flag and queues its event.
#pragma once

#include "platform/ScriptBackend.h"
#include "platform/headless/HeadlessPlatform.h"

namespace qs {

class HeadlessScriptBackend : public ScriptBackend {
public:
    explicit HeadlessScriptBackend(HeadlessPlatform& p) : p_(p) {}
    void Resize(int w, int h) override { p_.ResizeWindow(w, h); }
    void Focus(bool in) override { p_.SetActive(in); }

private:
    HeadlessPlatform& p_;
};

}  // namespace qs
