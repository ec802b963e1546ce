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
