// Real input as the runtime's messages: one SDL pointer, wheel, key or text
// event becomes the messages a form would get from its window (positions in
// client pixels). Window events (size, focus, closing) are the window's
// business and give no messages here.
#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/message_queue.hpp"

namespace lumora::window {

// The messages for one event addressed to form's window. The Shift argument
// of pointer events comes from modifiers (SDL's state when the event is read).
std::vector<Message> InputMessages(const SDL_Event& event, const std::shared_ptr<Form>& form,
                                   uint16_t modifiers);

// Wheel movement as the runtime's delta: 120 per notch, positive away from
// the user, whatever the event's direction setting.
int32_t WheelDelta(const SDL_MouseWheelEvent& wheel);

}  // namespace lumora::window
