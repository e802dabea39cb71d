// The standard icon elements of messages: one process-wide large icon
// element per request identifier (see StandardIconSource), made on first use
// and kept until the program ends, each with the system sound of its kind.
// Being shared they stand for a look only: a message shows its own icon
// element made like one of them (TMessageElement), which keeps the state of
// its window.
#pragma once

class TIconElement;

// The shared element for a request identifier; any identifier without one of
// its own gets the element of the system logo. Callers never free it; null without memory.
TIconElement* StandardIconElement(int id);
