#include "automation/automation_service.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QThread>

#include <chrono>

#include "program/program.h"
#include "core/encoding.h"

namespace tevra {

namespace {

std::string In(const QString& text) { return FromUnicode(text.toStdString()); }
QString Out(std::string_view cp932) { return QString::fromStdString(ToUnicode(cp932)); }

// How long a hidden program waits for a client after the last one left.
constexpr std::chrono::seconds kIdleEnd{30};

}  // namespace

AutomationService::AutomationService(Document& doc, std::unique_ptr<AutomationHost> window)
    : doc_(doc), window_(std::move(window)), model_(std::make_unique<Automation>(doc, *this)) {
  // The signals go out as messages of their own rather than through the
  // adaptor's relay, which needs the event loop: Exit comes when the loop
  // has ended.
  model_->announce = [this](AutomationEvent event, std::int32_t first, std::int32_t second) {
    static const char* const kSignals[] = {"Printed", "Exit", "Printing", "RigAnt", "NewDoc", "OpenDoc"};
    if (!connection_.isConnected()) return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kAutomationPath),
                                                     QString::fromLatin1(kAutomationInterface),
                                                     QString::fromLatin1(kSignals[static_cast<int>(event)]));
    signal << qint32(first) << qint32(second);
    connection_.send(signal);
  };
  new AutomationAdaptor(this);
  idle_.setSingleShot(true);
  idle_.setInterval(kIdleEnd);
  connect(&idle_, &QTimer::timeout, this, &AutomationService::EndWhenUnused);
  watcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &AutomationService::ClientLeft);
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
    // The calls that wait for the end (DoMessageLoop) get their answer, and
    // the client hears that the document goes.
    for (const QDBusMessage& call : pendingReplies_) connection_.send(call.createReply());
    pendingReplies_.clear();
    model_->Fire(AutomationEvent::Exit);
    // A round trip to the bus after them: they are on the wire before the
    // connection goes.
    if (connection_.isConnected()) connection_.interface()->isServiceRegistered(QString::fromLatin1(kAutomationService));
  });
}

AutomationService::~AutomationService() {
  if (connection_.isConnected()) {
    connection_.unregisterObject(QString::fromLatin1(kAutomationPath));
    if (factory_) connection_.unregisterObject(QString::fromLatin1(kFactoryPath));
    if (!busName_.isEmpty()) connection_.unregisterService(busName_);
  }
}

std::optional<QString> AutomationService::Register(QDBusConnection connection, const QString& instanceName) {
  if (!connection.isConnected())
    return QStringLiteral("no D-Bus session bus (%1)").arg(connection.lastError().message());
  connection_ = connection;
  watcher_.setConnection(connection);
  if (!connection.registerObject(QString::fromLatin1(kAutomationPath), this))
    return QStringLiteral("the object %1 is already registered").arg(QString::fromLatin1(kAutomationPath));
  const bool wellKnown = instanceName.isEmpty();
  if (wellKnown) {
    factory_ = std::make_unique<AutomationFactory>(*this);
    connection.registerObject(QString::fromLatin1(kFactoryPath), factory_.get(), QDBusConnection::ExportAllSlots);
  }
  // One program serves a name: a second one does not queue behind it.
  const QString name = wellKnown ? QString::fromLatin1(kAutomationService) : instanceName;
  const auto reply = connection.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                                             QDBusConnectionInterface::DontAllowReplacement);
  if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
    connection.unregisterObject(QString::fromLatin1(kAutomationPath));
    if (factory_) connection.unregisterObject(QString::fromLatin1(kFactoryPath));
    factory_.reset();
    return QStringLiteral("another TEVRA already serves %1 on this bus").arg(name);
  }
  busName_ = name;
  // An instance is there for the client that asked for it; should that
  // client never call, the instance does not stay behind.
  if (!wellKnown) idle_.start();
  return std::nullopt;
}

void AutomationService::Track() {
  if (calledFromDBus()) Track(message().service());
}

void AutomationService::Track(const QString& client) {
  idle_.stop();
  if (client.isEmpty() || clients_.contains(client)) return;
  clients_.insert(client);
  watcher_.addWatchedService(client);
}

void AutomationService::ReplyAtQuit() {
  if (!calledFromDBus()) return;
  setDelayedReply(true);
  pendingReplies_.append(message());
}

void AutomationService::ClientLeft(const QString& name) {
  clients_.remove(name);
  watcher_.removeWatchedService(name);
  // Nobody drives the hidden program any more: unless a client comes back
  // soon (a shell script connects for every call), it ends.
  if (clients_.isEmpty()) idle_.start();
}

void AutomationService::EndWhenUnused() {
  if (!clients_.isEmpty() || (window_->WindowStyle() & kWindowVisible) || doc_.program.automation.disableExit == 1)
    return;
  if (QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
      QThread::currentThread()->loopLevel() > 1) {
    idle_.start();
    return;
  }
  Quit();
}

void AutomationService::RunCommand(int command) { window_->RunCommand(command); }
bool AutomationService::ShowLogList() { return window_->ShowLogList(); }
bool AutomationService::OpenByName(const std::string& path) { return window_->OpenByName(path); }
void AutomationService::OpenFileDialog() { window_->OpenFileDialog(); }
void AutomationService::NewDocument() { window_->NewDocument(); }
void AutomationService::SetDocumentTitle(const std::string& cp932) { window_->SetDocumentTitle(cp932); }
void AutomationService::SetWindowTitle(const std::string& cp932) { window_->SetWindowTitle(cp932); }
void AutomationService::Redraw() { window_->Redraw(); }
void AutomationService::Foreground() { window_->Foreground(); }
void AutomationService::ShowWindow(std::int32_t command) { window_->ShowWindow(command); }
std::int32_t AutomationService::WindowStyle() const { return window_->WindowStyle(); }
bool AutomationService::CanExit() { return window_->CanExit(); }
void AutomationService::SavePlacement() { window_->SavePlacement(); }
void AutomationService::DocumentDiscarded() { window_->DocumentDiscarded(); }

void AutomationService::SetStatusText(const std::string& cp932) { window_->SetStatusText(cp932); }

void AutomationService::RunMessageLoop() {
  // The program's own loop runs on; the call is answered when it ends.
  ReplyAtQuit();
}

bool AutomationService::Quit() {
  if (!CanExit()) return false;
  window_->SavePlacement();
  quit();
  return true;
}

// --- the factory ----------------------------------------------------------------

QString AutomationFactory::NewInstance() {
  service_.Track(message().service());
  const QString name = QStringLiteral("%1.Instance%2_%3")
                           .arg(QString::fromLatin1(kAutomationService))
                           .arg(QCoreApplication::applicationPid())
                           .arg(++started_);
  // Watch before starting: the instance may be on the bus at once.
  const QDBusConnection bus = connection();
  const QDBusMessage call = message();
  auto* watcher = new QDBusServiceWatcher(name, bus, QDBusServiceWatcher::WatchForRegistration, this);
  auto* late = new QTimer(this);
  late->setSingleShot(true);
  auto answer = [bus, call, watcher, late](const QDBusMessage& reply) {
    QDBusConnection(bus).send(reply);
    watcher->deleteLater();
    late->deleteLater();
  };
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
          [answer, call, name] { answer(call.createReply(name)); });
  connect(late, &QTimer::timeout, this, [answer, call, name] {
    answer(call.createErrorReply(QDBusError::Failed, QStringLiteral("the new TEVRA (%1) did not come on the bus").arg(name)));
  });
  const bool started = service_.startInstance
                           ? service_.startInstance(name)
                           : QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                                     {QStringLiteral("--automation"), QStringLiteral("--bus-name"), name});
  if (!started) {
    delete watcher;
    delete late;
    sendErrorReply(QDBusError::Failed, QStringLiteral("cannot start another TEVRA"));
    return {};
  }
  setDelayedReply(true);
  late->start(std::chrono::seconds(30));
  return {};
}

// --- the adaptor ----------------------------------------------------------------

AutomationAdaptor::AutomationAdaptor(AutomationService* service) : QDBusAbstractAdaptor(service), service_(service) {
  // Its signals describe the interface; the service sends them.
  setAutoRelaySignals(false);
}

qint16 AutomationAdaptor::PrintStat() const { return m().PrintStat(); }
void AutomationAdaptor::SetPrintStat(qint16 v) { m().SetPrintStat(v); }
qint16 AutomationAdaptor::DisableExit() const { return m().DisableExit(); }
void AutomationAdaptor::SetDisableExit(qint16 v) { m().SetDisableExit(v); }
qint16 AutomationAdaptor::EnableLogFile() const { return m().EnableLogFile(); }
void AutomationAdaptor::SetEnableLogFile(qint16 v) { m().SetEnableLogFile(v); }
qint16 AutomationAdaptor::LoadRigAnt() const { return m().LoadRigAnt(); }
void AutomationAdaptor::SetLoadRigAnt(qint16 v) { m().SetLoadRigAnt(v); }
qint16 AutomationAdaptor::Modified() const { return m().Modified(); }
void AutomationAdaptor::SetModified(qint16 v) { m().SetModified(v); }
qint16 AutomationAdaptor::SortFlag() const { return m().SortFlag(); }
void AutomationAdaptor::SetSortFlag(qint16 v) { m().SetSortFlag(v); }
qint16 AutomationAdaptor::QslForm() const { return m().QslForm(); }
void AutomationAdaptor::SetQslForm(qint16 v) { m().SetQslForm(v); }
qint32 AutomationAdaptor::QslXw() const { return m().QslXw(); }
void AutomationAdaptor::SetQslXw(qint32 v) { m().SetQslXw(v); }
qint32 AutomationAdaptor::QslYw() const { return m().QslYw(); }
void AutomationAdaptor::SetQslYw(qint32 v) { m().SetQslYw(v); }
qint32 AutomationAdaptor::CurPrintNo() const { return m().CurPrintNo(); }
void AutomationAdaptor::SetCurPrintNo(qint32 v) { m().SetCurPrintNo(v); }
qint16 AutomationAdaptor::Grid() const { return m().Grid(); }
void AutomationAdaptor::SetGrid(qint16 v) { m().SetGrid(v); }
qint16 AutomationAdaptor::EditLock() const { return m().EditLock(); }
void AutomationAdaptor::SetEditLock(qint16 v) { m().SetEditLock(v); }
QString AutomationAdaptor::DocTTL() const { return Out(m().DocTTL()); }
void AutomationAdaptor::SetDocTTL(const QString& v) { m().SetDocTTL(In(v)); }
QString AutomationAdaptor::DocMEMO() const { return Out(m().DocMEMO()); }
void AutomationAdaptor::SetDocMEMO(const QString& v) { m().SetDocMEMO(In(v)); }
qint32 AutomationAdaptor::RepMax() const { return m().RepMax(); }
void AutomationAdaptor::SetRepMax(qint32 v) { m().SetRepMax(v); }
qint16 AutomationAdaptor::LogType() const { return m().LogType(); }
void AutomationAdaptor::SetLogType(qint16 v) { m().SetLogType(v); }
QString AutomationAdaptor::LogName() const { return Out(m().LogName()); }
void AutomationAdaptor::SetLogName(const QString& v) { m().SetLogName(In(v)); }

// Every method first notes its caller (see Track).
#define TRACKED service_->Track()

void AutomationAdaptor::DeleteLog() { TRACKED; m().DeleteLog(); }
void AutomationAdaptor::AddLog(const QString& record) { TRACKED; m().AddLog(In(record)); }
void AutomationAdaptor::SetPrintMax() { TRACKED; m().SetPrintMax(); }
qint16 AutomationAdaptor::DoLogList() { TRACKED; return m().DoLogList(); }
qint32 AutomationAdaptor::GetLogCount() { TRACKED; return m().GetLogCount(); }
void AutomationAdaptor::SortLog(qint16 direction) { TRACKED; m().SortLog(direction); }
qint16 AutomationAdaptor::OpenDoc(const QString& path) { TRACKED; return m().OpenDoc(path.toStdString()); }
void AutomationAdaptor::DoPrint() { TRACKED; m().DoPrint(); }
void AutomationAdaptor::DoTestPrint() { TRACKED; m().DoTestPrint(); }
qint32 AutomationAdaptor::GetPrintMax() { TRACKED; return m().GetPrintMax(); }
void AutomationAdaptor::DoFormDlg() { TRACKED; m().DoFormDlg(); }
void AutomationAdaptor::DoMacDlg() { TRACKED; m().DoMacDlg(); }
void AutomationAdaptor::DoOptionDlg() { TRACKED; m().DoOptionDlg(); }
void AutomationAdaptor::DoQSODlg() { TRACKED; m().DoQSODlg(); }
qint32 AutomationAdaptor::GetPrintedPos(qint32 index) { TRACKED; return m().GetPrintedPos(index); }
void AutomationAdaptor::OpenFile(qint16 n) { TRACKED; m().OpenFile(n); }
qint32 AutomationAdaptor::GetItemCount() { TRACKED; return m().GetItemCount(); }
void AutomationAdaptor::DoRigAntDlg() { TRACKED; m().DoRigAntDlg(); }
QString AutomationAdaptor::GetRig(qint16 slot) { TRACKED; return Out(m().GetRig(slot)); }
QString AutomationAdaptor::GetAnt(qint16 slot) { TRACKED; return Out(m().GetAnt(slot)); }
void AutomationAdaptor::SetRig(qint16 slot, const QString& text) { TRACKED; m().SetRig(slot, In(text)); }
void AutomationAdaptor::SetAnt(qint16 slot, const QString& text) { TRACKED; m().SetAnt(slot, In(text)); }
void AutomationAdaptor::Foreground() { TRACKED; m().Foreground(); }
void AutomationAdaptor::ShowWindow(qint32 command) { TRACKED; m().ShowWindow(command); }
void AutomationAdaptor::NewDoc() { TRACKED; m().NewDoc(); }
qint16 AutomationAdaptor::CanExit() { TRACKED; return m().CanExit(); }
void AutomationAdaptor::SetDocTitle(const QString& title) { TRACKED; m().SetDocTitle(In(title)); }
void AutomationAdaptor::SetWindowTitle(const QString& title) { TRACKED; m().SetWindowTitle(In(title)); }
void AutomationAdaptor::UpdateWindow() { TRACKED; m().UpdateWindow(); }
qint32 AutomationAdaptor::GetWindowStyle() { TRACKED; return m().GetWindowStyle(); }
void AutomationAdaptor::DeleteDoc() { TRACKED; m().DeleteDoc(); }
void AutomationAdaptor::SetEventPrinted(qint32 t, qint32 msg, qint32 a, qint32 b) {
  Register(AutomationEvent::Printed, t, msg, a, b);
}
void AutomationAdaptor::SetEventExit(qint32 t, qint32 msg, qint32 a, qint32 b) {
  Register(AutomationEvent::Exit, t, msg, a, b);
}
void AutomationAdaptor::SetEventPrintting(qint32 t, qint32 msg, qint32 a, qint32 b) {
  Register(AutomationEvent::Printing, t, msg, a, b);
}
void AutomationAdaptor::SetEventRigAnt(qint32 t, qint32 msg, qint32 a, qint32 b) {
  Register(AutomationEvent::RigAnt, t, msg, a, b);
}
void AutomationAdaptor::SetEventNewDoc(qint32 t, qint32 msg, qint32 a, qint32 b) {
  Register(AutomationEvent::NewDoc, t, msg, a, b);
}
void AutomationAdaptor::SetEventOpenDoc(qint32 t, qint32 msg, qint32 a, qint32 b) {
  Register(AutomationEvent::OpenDoc, t, msg, a, b);
}
qint32 AutomationAdaptor::DeletePrinted(qint32 index) { TRACKED; return m().DeletePrinted(index); }
void AutomationAdaptor::SortLog97(qint16 direction) { TRACKED; m().SortLog97(direction); }
void AutomationAdaptor::AddLogEx(const QString& text) { TRACKED; m().AddLogEx(In(text)); }
void AutomationAdaptor::SetStatusText(const QString& text) { TRACKED; m().SetStatusText(In(text)); }
void AutomationAdaptor::SetPrintedMark(qint32 card) { TRACKED; m().SetPrintedMark(card); }
QString AutomationAdaptor::StrDataMark(const QString& name, const QString& record) {
  TRACKED;
  return Out(m().StrDataMark(In(name), In(record)));
}
void AutomationAdaptor::DelLogCond(const QString& condition) { TRACKED; m().DelLogCond(In(condition)); }
void AutomationAdaptor::DoMessageLoop() { TRACKED; m().DoMessageLoop(); }
void AutomationAdaptor::AddLogPos(const QString& record, qint32 position) { TRACKED; m().AddLogPos(In(record), position); }
void AutomationAdaptor::DeletePrintedData() { TRACKED; m().DeletePrintedData(); }
qint32 AutomationAdaptor::PrintToFile(const QString& path) { TRACKED; return m().PrintToFile(path.toStdString()); }
qint16 AutomationAdaptor::Quit() { TRACKED; return service_->Quit() ? 1 : 0; }

void AutomationAdaptor::Register(AutomationEvent event, qint32 thread, qint32 message, qint32 first, qint32 second) {
  TRACKED;
  m().SetEvent(event, {thread, message, first, second});
}

#undef TRACKED

}  // namespace tevra
