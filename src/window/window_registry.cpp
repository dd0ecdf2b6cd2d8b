#include "window/window_registry.h"

#include <QDialog>
#include <stdexcept>

#include "window/controls.h"
#include "window/toolkit.h"

namespace fondara::gui {

void WindowRegistry::define(const QString& name, Factory create) {
  entries_[name].create = std::move(create);
}

WindowRegistry::Entry& WindowRegistry::entry(const QString& name) {
  const auto found = entries_.find(name);
  if (found == entries_.end()) throw std::logic_error("unknown window: " + name.toStdString());
  return found->second;
}

QWidget& WindowRegistry::window(const QString& name) {
  Entry& e = entry(name);
  if (e.instance.isNull()) {
    e.instance = e.create();
    e.instance->setObjectName(name);
  }
  return *e.instance;
}

bool WindowRegistry::is_loaded(const QString& name) const {
  const auto found = entries_.find(name);
  return found != entries_.end() && !found->second.instance.isNull();
}

void WindowRegistry::set_visible(const QString& name, bool visible) {
  window(name).setVisible(visible);
}

void WindowRegistry::show_modal(const QString& name, QWidget& owner) {
  auto* dialog = dynamic_cast<QDialog*>(&window(name));
  if (dialog == nullptr) throw std::logic_error("not a modal window: " + name.toStdString());
  // A child window of the owner: modal over it and gone with it; centred on it by
  // the centre of what both show, whatever their frames.
  dialog->setParent(&owner, dialog->windowFlags());
  place_centred(*dialog, owner.geometry());
  dialog->exec();
  unload(name);
}

void WindowRegistry::unload(const QString& name) {
  Entry& e = entry(name);
  if (e.instance.isNull()) return;
  QWidget* gone = e.instance;
  e.instance = nullptr;
  gone->hide();
  // Deleted once the handler that asked for it has returned.
  gone->deleteLater();
}

void WindowRegistry::end() {
  for (const auto& named : entries_) unload(named.first);
  end_program();
}

void WindowRegistry::discard_all() {
  for (auto& named : entries_) delete named.second.instance.data();
}

WindowRegistry& windows() {
  static WindowRegistry registry;
  return registry;
}

}  // namespace fondara::gui
