#pragma once

namespace Orlenda {

// Guards the creation of the editor's application object. Where no display
// can be used, the program prints one line saying so and ends with status 2,
// instead of the toolkit's abort with a core dump and plugin chatter.
class DisplayCheck {
public:
    // Ends the program at once when no display is named at all.
    DisplayCheck(int argc, char** argv);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    // The application object exists: messages go their usual way again.
    void passed();

private:
    bool mWatching = true;
};

} // namespace Orlenda
