#include "framework/stdctrls/TAction.h"

#include "framework/stdctrls/StdCtrlsProperties.h"

#include <algorithm>

namespace vexo {

TAction::TAction(TComponent* owner) : TComponent(owner) {
    RegisterStdCtrlsClasses();
}

TAction::~TAction() = default;

void TAction::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    changed();
}

void TAction::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    changed();
}

bool TAction::Execute() {
    if (!enabled_ || !OnExecute) return false;
    OnExecute(this);
    return true;
}

void TAction::Link(TComponent* client, TChangeLink changed) {
    Unlink(client);
    links_.emplace_back(client, std::move(changed));
}

void TAction::Unlink(TComponent* client) {
    std::erase_if(links_, [client](const auto& link) { return link.first == client; });
}

void TAction::changed() {
    // A client may unlink itself while it hears the change.
    const auto links = links_;
    for (const auto& [client, notify] : links)
        notify(this);
}

} // namespace vexo
