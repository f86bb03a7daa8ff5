#pragma once
// A notice presenter that answers from a script, for tests: each request is
// recorded, and the next scripted press decides how the dialog closed.

#include "services/NoticeRequest.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace petari {

class ScriptedNoticePresenter : public NoticePresenter {
public:
    struct Press {
        int button = -1;                 // -1: the window's close box
        std::optional<QString> text;     // the edited text; the body when unset
        std::optional<bool> checked;     // the check box; as laid out when unset
    };

    void push(Press p) { presses_.push_back(std::move(p)); }
    void pushButton(int button) { presses_.push_back({button, std::nullopt, std::nullopt}); }

    // Runs while a request is "open", before it is answered (to fail inside
    // the dialog, for instance).
    std::function<void(const NoticeRequest&)> whileOpen;

    NoticeResult show(const NoticeRequest& request) override
    {
        requests_.push_back(request);
        if (whileOpen)
            whileOpen(request);
        Press p;
        if (!presses_.empty()) {
            p = presses_.front();
            presses_.pop_front();
        }
        const int mode = noticeMode(request.mode);
        NoticeResult r;
        r.button = p.button;
        r.action = p.button < 0 ? NoticeAction::Close : noticeAction(mode, p.button);
        r.checked = p.checked.value_or(noticeLayout(mode, request.extra).checkChecked);
        r.text = p.text.value_or(request.body);
        return r;
    }

    const std::vector<NoticeRequest>& requests() const { return requests_; }

private:
    std::deque<Press> presses_;
    std::vector<NoticeRequest> requests_;
};

}  // namespace petari
