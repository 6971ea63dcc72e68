#pragma once

namespace Orlenda {

class TrainData;

// Lets a test drive the editor as a process, through the environment:
// ORLENDA_TEST_EDIT="txtPer(0)=text" types text into a field once the main
// window shows, as a user would (not committed); ORLENDA_TEST_ANSWER_DEFAULT
// answers each question box with its default button and prints its text.
// "ready" is printed once the window shows and the edit is made.
// Without these variables nothing happens.
void installTestHooks(TrainData& data);

} // namespace Orlenda
