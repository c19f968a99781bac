#pragma once
// The text the user sees for an error the program did not foresee (an exception that reached a
// command's end): its own message, and a plain one for running out of memory. Decides nothing
// about how or where it is shown.

#include <exception>
#include <string>

std::string UnforeseenErrorText(const std::exception_ptr& error);
