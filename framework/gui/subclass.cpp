#include "framework/gui/subclass.h"

#include "framework/gui/diagnostics.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace gui {
namespace {

// Hands the exception being handled to TWindowSubclass::OnException (call inside a catch block).
void TellOnException(HWND window, UINT msg) {
    try {
        throw;
    } catch (const std::exception& error) {
        if (TWindowSubclass::OnException) TWindowSubclass::OnException(window, msg, &error);
    } catch (...) {
        if (TWindowSubclass::OnException) TWindowSubclass::OnException(window, msg, nullptr);
    }
}

// The bindings of one window, oldest first, and the procedure that was there before the first. A binding
// removed while a message of the window is being handled stays as a tombstone until the outermost
// message returns, so that a handler further down still finds its place in the chain.
struct Chain {
    struct Entry {
        TWindowSubclass* binding;
        bool removed;
    };
    WNDPROC previous = nullptr;
    std::vector<Entry> entries;
    int busy = 0;           // messages of the window being handled, nested
    bool destroyed = false; // the window had WM_NCDESTROY
};

// Windows belong to the thread that made them, and only that thread calls their procedures.
thread_local std::unordered_map<HWND, std::unique_ptr<Chain>> t_chains;

Chain* ChainOf(HWND window) {
    const auto found = t_chains.find(window);
    return found == t_chains.end() ? nullptr : found->second.get();
}

LRESULT CALLBACK ChainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Gives the window its previous procedure back when nothing is bound any more and nobody bound over us;
// a window bound over us keeps our procedure, which then only passes messages on.
void SettleChain(HWND window, Chain& chain) {
    if (chain.busy > 0) return;
    std::erase_if(chain.entries, [](const Chain::Entry& entry) { return entry.removed; });
    const bool destroyed = chain.destroyed || !IsWindow(window);
    if (destroyed) {
        for (const Chain::Entry& entry : chain.entries)
            entry.binding->Forget();
        chain.entries.clear();
    }
    if (!chain.entries.empty()) return;
    const bool ours = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == &ChainProc;
    if (ours) SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.previous));
    if (ours || destroyed) t_chains.erase(window);
}

// The newest binding older than `from` (the newest of all for a null from) that is not removed; null when
// the message goes on to the previous procedure.
TWindowSubclass* NextBinding(const Chain& chain, const TWindowSubclass* from) {
    auto end = chain.entries.end();
    if (from) {
        end = std::find_if(chain.entries.begin(), chain.entries.end(),
                           [from](const Chain::Entry& entry) { return entry.binding == from; });
    }
    for (auto it = end; it != chain.entries.begin();) {
        --it;
        if (!it->removed) return it->binding;
    }
    return nullptr;
}

LRESULT PassOn(HWND window, const TWindowSubclass* from, UINT msg, WPARAM wParam, LPARAM lParam) {
    Chain* chain = ChainOf(window);
    if (!chain) return DefWindowProcW(window, msg, wParam, lParam);
    if (TWindowSubclass* next = NextBinding(*chain, from)) return next->Dispatch(window, msg, wParam, lParam);
    return CallWindowProcW(chain->previous, window, msg, wParam, lParam);
}

LRESULT CALLBACK ChainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    Chain* chain = ChainOf(window);
    if (!chain) return DefWindowProcW(window, msg, wParam, lParam);
    ++chain->busy;
    const LRESULT result = PassOn(window, nullptr, msg, wParam, lParam);
    // The chain outlives the message: it is erased only here, once nothing of the window is being handled.
    chain = ChainOf(window);
    if (chain) {
        --chain->busy;
        if (msg == WM_NCDESTROY) chain->destroyed = true;
        if (chain->destroyed || chain->entries.empty() ||
            std::any_of(chain->entries.begin(), chain->entries.end(),
                        [](const Chain::Entry& entry) { return entry.removed; }))
            SettleChain(window, *chain);
    }
    return result;
}

} // namespace

std::function<void(HWND, UINT, const std::exception*)> TWindowSubclass::OnException;

bool TWindowSubclass::Install(HWND window, TWndMethod handler) {
    Remove();
    if (!IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
    handler_ = handler;
    Chain* chain = ChainOf(window);
    if (!chain) {
        auto made = std::make_unique<Chain>();
        SetLastError(0);
        made->previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc)));
        if (!made->previous && GetLastError() != 0) return false;
        chain = made.get();
        t_chains.emplace(window, std::move(made));
    }
    // An earlier binding at this address was freed while a message was being handled: its tombstone goes.
    std::erase_if(chain->entries, [this](const Chain::Entry& entry) { return entry.binding == this; });
    chain->entries.push_back({this, false});
    window_ = window;
    return true;
}

void TWindowSubclass::Remove() noexcept {
    if (!window_) return;
    HWND window = window_;
    window_ = nullptr;
    Chain* chain = ChainOf(window);
    if (!chain) return;
    for (Chain::Entry& entry : chain->entries) {
        if (entry.binding == this) entry.removed = true;
    }
    SettleChain(window, *chain);
}

void TWindowSubclass::CallPrevious(TMessage& message) const {
    // Also after Remove inside the handler (WM_NCDESTROY): the chain still knows where this binding was.
    auto* self = const_cast<TWindowSubclass*>(this);
    self->calledPrevious_ = true;
    HWND window = window_ ? window_ : message.Window;
    message.Result = PassOn(window, this, message.Msg, message.WParam, message.LParam);
}

LRESULT TWindowSubclass::Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0, window};
    const bool outerCalledPrevious = calledPrevious_;
    calledPrevious_ = false;
    ContainExceptions(
        "bound window procedure",
        [&] {
            const TWndMethod handler = handler_;
            handler(message);
        },
        [&] {
            TellOnException(window, msg);
            if (!calledPrevious_) message.Result = PassOn(window, this, msg, wParam, lParam);
        });
    calledPrevious_ = outerCalledPrevious;
    if (msg == WM_NCDESTROY && window_ == window) Remove(); // the binding ends with the window
    return message.Result;
}

} // namespace gui
