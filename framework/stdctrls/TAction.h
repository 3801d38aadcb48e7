#pragma once
// A command that controls can share: a caption, whether it can run, and what running it does.
// A control linked to an action shows its caption and enabled state and follows their changes;
// clicking the control runs the action.
#include "framework/core/TComponent.h"
#include "framework/core/TNotifyEvent.h"
#include <functional>
#include <string>
#include <vector>

namespace vexo {

class TAction : public TComponent {
public:
    explicit TAction(TComponent* owner);
    ~TAction() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Runs OnExecute; false, running nothing, when the action is disabled or has no handler.
    bool Execute();
    TNotifyEvent OnExecute;

    // A linked control hears every change of the caption or of Enabled until it unlinks.
    using TChangeLink = std::function<void(TAction* action)>;
    void Link(TComponent* client, TChangeLink changed);
    void Unlink(TComponent* client);

private:
    void changed();

    std::string caption_;
    bool enabled_ = true;
    std::vector<std::pair<TComponent*, TChangeLink>> links_;
};

} // namespace vexo
