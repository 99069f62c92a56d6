// Events an object raises to whoever listens: the owning control's handlers,
// the host's sinks (dispatch clients, the script host's event log). Arguments
// are passed by reference: a sink may change them, and the raiser reads them
// back afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/variant.hpp"

namespace lumora {

class Object;

class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void OnEvent(Object& source, int32_t dispid, std::string_view name,
                       std::span<Variant> args) = 0;
};

class EventSource {
 public:
  // Sinks are held weakly: a sink that goes away simply stops receiving.
  void Advise(const std::shared_ptr<EventSink>& sink);
  void Unadvise(const EventSink* sink);
  size_t SinkCount() const;
  // Calls every live sink in the order they were advised.
  void Raise(Object& source, int32_t dispid, std::string_view name, std::span<Variant> args);

 private:
  std::vector<std::weak_ptr<EventSink>> m_Sinks;
};

}  // namespace lumora
