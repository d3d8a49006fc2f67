// The automation object on the D-Bus session bus: the object "/Application"
// with the interface "org.tevra.Application" (src/automation/
// org.tevra.Application.xml is its contract). Texts are UTF-8 on the bus and
// CP932 inside; short is "n", long "i", string "s". The six events are
// signals of the interface.
//
// Every client gets a program of its own: the program under the well-known
// name "org.tevra.Tevra" also serves "/Factory", whose NewInstance starts
// another "tevra --automation" under a name of its own and answers that
// name once it is on the bus.
#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QCoreApplication>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "automation/automation.h"

namespace tevra {

class Document;

inline constexpr const char* kAutomationService = "org.tevra.Tevra";
inline constexpr const char* kAutomationPath = "/Application";
inline constexpr const char* kAutomationInterface = "org.tevra.Application";
inline constexpr const char* kFactoryPath = "/Factory";
inline constexpr const char* kFactoryInterface = "org.tevra.Factory";

// The object the bus calls into. What the methods ask of the window (its
// commands, dialogs, showing and hiding, closing) goes to `window`, which
// the desktop program gives; the message loop and the status line are the
// service's own.
class AutomationService : public QObject, protected QDBusContext, public AutomationHost {
  Q_OBJECT

 public:
  AutomationService(Document& doc, std::unique_ptr<AutomationHost> window);
  ~AutomationService() override;

  // Registers the object and a bus name on the connection: the well-known
  // name with the factory beside the object, or the name a factory chose
  // for this instance. An error text when the name is taken by another
  // program or there is no bus.
  std::optional<QString> Register(QDBusConnection connection, const QString& instanceName = {});
  Automation& Model() { return *model_; }

  // Remembers the client behind the current call (or the given one); the
  // program ends when every client has left the bus and none came back for
  // 30 s while the window is hidden. An instance started for a client that
  // never calls ends so too.
  void Track();
  void Track(const QString& client);
  // Holds back the answer of the current call until the program quits.
  void ReplyAtQuit();

  // AutomationHost.
  void RunCommand(int command) override;
  bool ShowLogList() override;
  bool OpenByName(const std::string& path) override;
  void OpenFileDialog() override;
  void NewDocument() override;
  void SetDocumentTitle(const std::string& cp932) override;
  void SetWindowTitle(const std::string& cp932) override;
  void Redraw() override;
  void Foreground() override;
  void ShowWindow(std::int32_t command) override;
  std::int32_t WindowStyle() const override;
  bool CanExit() override;
  void SavePlacement() override;
  void DocumentDiscarded() override;
  void SetStatusText(const std::string& cp932) override;
  void RunMessageLoop() override;
  // Ends the program when the window may close now (Quit of the interface).
  bool Quit();
  // The idle end: when no client is left and the window is hidden, the
  // program ends as Quit ends it, but never under an open dialog or
  // question (a client's call that timed out may have left one): then it
  // looks again later.
  void EndWhenUnused();
  // How the program ends (a test watches it).
  std::function<void()> quit = [] { QCoreApplication::quit(); };
  // How the factory starts an instance under a bus name: this program with
  // "--automation --bus-name NAME" (the desktop adds its settings file).
  std::function<bool(const QString& busName)> startInstance;

 private:
  void ClientLeft(const QString& name);
  Document& doc_;
  std::unique_ptr<AutomationHost> window_;
  std::unique_ptr<Automation> model_;
  QDBusConnection connection_{QString()};
  QDBusServiceWatcher watcher_;
  QSet<QString> clients_;
  QTimer idle_;
  QList<QDBusMessage> pendingReplies_;
  QString busName_;
  std::unique_ptr<QObject> factory_;
};

// "/Factory": a program of its own for every client.
class AutomationFactory : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.tevra.Factory")

 public:
  explicit AutomationFactory(AutomationService& service) : service_(service) {}

 public slots:
  // Starts a new instance and answers its bus name when it is there (an
  // error when it could not start or did not come within 30 s).
  QString NewInstance();

 private:
  AutomationService& service_;
  int started_ = 0;
};

// The interface's members, each handing over to the model.
class AutomationAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.tevra.Application")
  Q_PROPERTY(qint16 PrintStat READ PrintStat WRITE SetPrintStat)
  Q_PROPERTY(qint16 DisableExit READ DisableExit WRITE SetDisableExit)
  Q_PROPERTY(qint16 EnableLogFile READ EnableLogFile WRITE SetEnableLogFile)
  Q_PROPERTY(qint16 LoadRigAnt READ LoadRigAnt WRITE SetLoadRigAnt)
  Q_PROPERTY(qint16 Reserve1 READ Reserve1 WRITE SetReserve1)
  Q_PROPERTY(qint16 Reserve2 READ Reserve2 WRITE SetReserve2)
  Q_PROPERTY(qint16 Reserve3 READ Reserve3 WRITE SetReserve3)
  Q_PROPERTY(qint16 Reserve4 READ Reserve4 WRITE SetReserve4)
  Q_PROPERTY(qint16 Modified READ Modified WRITE SetModified)
  Q_PROPERTY(qint16 SortFlag READ SortFlag WRITE SetSortFlag)
  Q_PROPERTY(qint16 QslForm READ QslForm WRITE SetQslForm)
  Q_PROPERTY(qint32 QslXw READ QslXw WRITE SetQslXw)
  Q_PROPERTY(qint32 QslYw READ QslYw WRITE SetQslYw)
  Q_PROPERTY(qint32 CurPrintNo READ CurPrintNo WRITE SetCurPrintNo)
  Q_PROPERTY(qint16 Grid READ Grid WRITE SetGrid)
  Q_PROPERTY(qint16 EditLock READ EditLock WRITE SetEditLock)
  Q_PROPERTY(QString DocTTL READ DocTTL WRITE SetDocTTL)
  Q_PROPERTY(QString DocMEMO READ DocMEMO WRITE SetDocMEMO)
  Q_PROPERTY(qint32 RepMax READ RepMax WRITE SetRepMax)
  Q_PROPERTY(qint32 Version READ Version WRITE SetVersion)
  Q_PROPERTY(qint16 LogType READ LogType WRITE SetLogType)
  Q_PROPERTY(QString LogName READ LogName WRITE SetLogName)

 public:
  explicit AutomationAdaptor(AutomationService* service);

  qint16 PrintStat() const;
  void SetPrintStat(qint16 v);
  qint16 DisableExit() const;
  void SetDisableExit(qint16 v);
  qint16 EnableLogFile() const;
  void SetEnableLogFile(qint16 v);
  qint16 LoadRigAnt() const;
  void SetLoadRigAnt(qint16 v);
  qint16 Reserve1() const { return m().reserve[0]; }
  void SetReserve1(qint16 v) { m().reserve[0] = v; }
  qint16 Reserve2() const { return m().reserve[1]; }
  void SetReserve2(qint16 v) { m().reserve[1] = v; }
  qint16 Reserve3() const { return m().reserve[2]; }
  void SetReserve3(qint16 v) { m().reserve[2] = v; }
  qint16 Reserve4() const { return m().reserve[3]; }
  void SetReserve4(qint16 v) { m().reserve[3] = v; }
  qint16 Modified() const;
  void SetModified(qint16 v);
  qint16 SortFlag() const;
  void SetSortFlag(qint16 v);
  qint16 QslForm() const;
  void SetQslForm(qint16 v);
  qint32 QslXw() const;
  void SetQslXw(qint32 v);
  qint32 QslYw() const;
  void SetQslYw(qint32 v);
  qint32 CurPrintNo() const;
  void SetCurPrintNo(qint32 v);
  qint16 Grid() const;
  void SetGrid(qint16 v);
  qint16 EditLock() const;
  void SetEditLock(qint16 v);
  QString DocTTL() const;
  void SetDocTTL(const QString& v);
  QString DocMEMO() const;
  void SetDocMEMO(const QString& v);
  qint32 RepMax() const;
  void SetRepMax(qint32 v);
  qint32 Version() const { return Automation::kVersion; }
  void SetVersion(qint32) {}
  qint16 LogType() const;
  void SetLogType(qint16 v);
  QString LogName() const;
  void SetLogName(const QString& v);

 public slots:
  void DeleteLog();
  void AddLog(const QString& record);
  void SetPrintMax();
  qint16 DoLogList();
  qint32 GetLogCount();
  void SortLog(qint16 direction);
  qint16 OpenDoc(const QString& path);
  void DoPrint();
  void DoTestPrint();
  qint32 GetPrintMax();
  void DoFormDlg();
  void DoMacDlg();
  void DoOptionDlg();
  void DoQSODlg();
  qint32 GetPrintedPos(qint32 index);
  void OpenFile(qint16 n);
  qint32 GetItemCount();
  void DoRigAntDlg();
  QString GetRig(qint16 slot);
  QString GetAnt(qint16 slot);
  void SetRig(qint16 slot, const QString& text);
  void SetAnt(qint16 slot, const QString& text);
  void Foreground();
  void ShowWindow(qint32 command);
  void NewDoc();
  qint16 CanExit();
  void SetDocTitle(const QString& title);
  void SetWindowTitle(const QString& title);
  void UpdateWindow();
  qint32 GetWindowStyle();
  void DeleteDoc();
  void SetEventPrinted(qint32 thread, qint32 message, qint32 first, qint32 second);
  void SetEventExit(qint32 thread, qint32 message, qint32 first, qint32 second);
  void SetEventPrintting(qint32 thread, qint32 message, qint32 first, qint32 second);
  void SetEventRigAnt(qint32 thread, qint32 message, qint32 first, qint32 second);
  void SetEventNewDoc(qint32 thread, qint32 message, qint32 first, qint32 second);
  void SetEventOpenDoc(qint32 thread, qint32 message, qint32 first, qint32 second);
  qint32 DeletePrinted(qint32 index);
  void SortLog97(qint16 direction);
  void AddLogEx(const QString& text);
  void SetStatusText(const QString& text);
  void SetPrintedMark(qint32 card);
  QString StrDataMark(const QString& name, const QString& record);
  void DelLogCond(const QString& condition);
  void DoMessageLoop();
  void AddLogPos(const QString& record, qint32 position);
  void DeletePrintedData();
  // Additions for Linux clients: printing without a dialog, and ending.
  qint32 PrintToFile(const QString& path);
  qint16 Quit();

 signals:
  void Printed(qint32 first, qint32 second);
  void Exit(qint32 first, qint32 second);
  void Printing(qint32 first, qint32 second);
  void RigAnt(qint32 first, qint32 second);
  void NewDoc(qint32 first, qint32 second);
  void OpenDoc(qint32 first, qint32 second);

 private:
  Automation& m() const { return service_->Model(); }
  void Register(AutomationEvent event, qint32 thread, qint32 message, qint32 first, qint32 second);
  AutomationService* service_;
};

}  // namespace tevra
