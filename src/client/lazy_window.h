#pragma once

#include <memory>
#include <tuple>

// What a lazily built window needs once it exists: its wiring, and whatever
// state it must read at once because it missed the changes that came before
// it was built. Whoever holds the window's parts implements it.
template <typename Window>
class WindowSetUp {
public:
    virtual ~WindowSetUp() = default;
    virtual void setUp(Window& window) = 0;
};

// A window built the first time it is asked for, so that start-up builds only
// what the main window's first paint needs. It is made with `Args` (the
// objects its constructor takes, which must outlive it) and set up once.
template <typename Window, typename... Args>
class LazyWindow {
public:
    explicit LazyWindow(WindowSetUp<Window>& setUp, Args&... args) : m_setUp(setUp), m_args(args...) { }

    Window& get()
    {
        if (!m_window) {
            // Held before set-up runs: wiring that asks for the window again
            // gets this one rather than building a second.
            m_window = std::apply([](Args&... args) { return std::make_unique<Window>(args...); }, m_args);
            m_setUp.setUp(*m_window);
        }
        return *m_window;
    }
    // Null until the window is first asked for.
    Window* ifBuilt() const { return m_window.get(); }

private:
    WindowSetUp<Window>& m_setUp;
    std::tuple<Args&...> m_args;
    std::unique_ptr<Window> m_window;
};
