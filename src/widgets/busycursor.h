#pragma once

// Shows the busy pointer for the whole program while it exists.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();

    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Shows the normal pointer while it exists, as over a window that waits for the user in the
// middle of long work; the busy pointer comes back after.
class NormalCursor
{
public:
    NormalCursor();
    ~NormalCursor();

    NormalCursor(const NormalCursor &) = delete;
    NormalCursor &operator=(const NormalCursor &) = delete;

private:
    int m_busy = 0; // the busy pointers taken off
};
