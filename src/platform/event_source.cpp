#include "platform/event_source.hpp"

#include <algorithm>

namespace lumora {

void EventSource::Advise(const std::shared_ptr<EventSink>& sink) {
  m_Sinks.push_back(sink);
}

void EventSource::Unadvise(const EventSink* sink) {
  std::erase_if(m_Sinks, [&](const std::weak_ptr<EventSink>& w) {
    auto s = w.lock();
    return !s || s.get() == sink;
  });
}

size_t EventSource::SinkCount() const {
  return std::ranges::count_if(m_Sinks, [](const auto& w) { return !w.expired(); });
}

void EventSource::Raise(Object& source, int32_t dispid, std::string_view name,
                        std::span<Variant> args) {
  // Copy first: a sink may advise or unadvise while it handles the event.
  const auto sinks = m_Sinks;
  for (const auto& weak : sinks)
    if (auto sink = weak.lock()) sink->OnEvent(source, dispid, name, args);
}

}  // namespace lumora
