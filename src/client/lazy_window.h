#pragma once

#include <functional>
#include <memory>
#include <utility>

// A window built the first time it is asked for, so that start-up builds only
// what the main window's first paint needs. `setUp` runs once on the new
// window: its wiring, and whatever state it must read at once because it
// missed the changes that came before it was built.
template <typename Window>
class LazyWindow {
public:
    using Make = std::function<std::unique_ptr<Window>()>;

    // `make` builds the window, by default with its default constructor.
    explicit LazyWindow(std::function<void(Window&)> setUp, Make make = defaultMake)
        : m_setUp(std::move(setUp)), m_make(std::move(make))
    {
    }

    Window& get()
    {
        if (!m_window) {
            // Held before set-up runs: wiring that asks for the window again
            // gets this one rather than building a second.
            m_window = m_make();
            if (m_setUp)
                m_setUp(*m_window);
        }
        return *m_window;
    }
    // Null until the window is first asked for.
    Window* ifBuilt() const { return m_window.get(); }
    // Takes the window down, if it was built.
    void reset() { m_window.reset(); }

private:
    static std::unique_ptr<Window> defaultMake() { return std::make_unique<Window>(); }

    std::function<void(Window&)> m_setUp;
    Make m_make;
    std::unique_ptr<Window> m_window;
};
