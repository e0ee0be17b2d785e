#pragma once

#include <atomic>
#include <memory>
#include <thread>

namespace korvane {

// Threads whose owner went on without waiting for them, as a device call may still be running
// in one. `ended` turns true when the thread's work has returned; such threads are joined by the
// next KeepDetached, so the list stays short.
void KeepDetached(std::jthread thread, std::shared_ptr<const std::atomic<bool>> ended);

// Waits for every thread handed to KeepDetached. The program calls it before its device library
// goes.
void JoinDetachedThreads();

}  // namespace korvane
