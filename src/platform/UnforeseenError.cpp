#include "platform/UnforeseenError.h"

#include <new>
#include <stdexcept>

std::string UnforeseenErrorText(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        // what() of bad_alloc names the type, which tells the user nothing.
        return "Out of memory";
    } catch (const std::exception& exception) {
        const std::string text = exception.what();
        if (!text.empty())
            return text;
    } catch (...) {
    }
    return "Unexpected error";
}
