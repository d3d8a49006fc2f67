// The automation service as a logging program meets it: a private session
// bus, "tevra --automation" on the offscreen platform, and calls through
// QtDBus (and the Python example client).
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "support/temp_dir.h"

namespace {

// A D-Bus "short" (a plain QVariant of a short would travel as an int).
QVariant S(int value) { return QVariant::fromValue(static_cast<qint16>(value)); }

const QString kService = QStringLiteral("org.tevra.Tevra");
const QString kPath = QStringLiteral("/Application");
const QString kInterface = QStringLiteral("org.tevra.Application");
const QString kFactory = QStringLiteral("/Factory");
const QString kFactoryInterface = QStringLiteral("org.tevra.Factory");

// What a client receives of the events.
class EventLog : public QObject {
  Q_OBJECT
 public:
  QStringList received;
 public slots:
  void Printed(int first, int second) { received << QStringLiteral("Printed %1 %2").arg(first).arg(second); }
  void Exit(int first, int second) { received << QStringLiteral("Exit %1 %2").arg(first).arg(second); }
};

// The members of the interface in an introspection text: "kind name
// signature" for every property, method and signal.
QSet<QString> Members(const QString& xml, const QString& interface = kInterface) {
  QSet<QString> members;
  QXmlStreamReader in(xml);
  bool inside = false;
  QString current;
  while (!in.atEnd()) {
    in.readNext();
    const auto a = in.attributes();
    if (in.isStartElement() && in.name() == u"interface") inside = a.value(QStringLiteral("name")) == interface;
    if (!inside) continue;
    if (in.isStartElement() && (in.name() == u"method" || in.name() == u"signal")) {
      current = in.name().toString() + ' ' + a.value(QStringLiteral("name")).toString() + ' ';
    } else if (in.isStartElement() && in.name() == u"arg") {
      current += a.value(QStringLiteral("direction")).toString() + ':' + a.value(QStringLiteral("type")).toString() + ' ';
    } else if (in.isEndElement() && (in.name() == u"method" || in.name() == u"signal")) {
      members << current;
    } else if (in.isStartElement() && in.name() == u"property") {
      members << QStringLiteral("property %1 %2 %3").arg(a.value(QStringLiteral("name")), a.value(QStringLiteral("type")), a.value(QStringLiteral("access")));
    } else if (in.isEndElement() && in.name() == u"interface") {
      inside = false;
    }
  }
  return members;
}

class Automation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "automation_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    dir_ = new tevra::test::TempDir;
    bus_ = new QProcess;
    bus_->start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                 QStringLiteral("--print-address")});
    ASSERT_TRUE(bus_->waitForReadyRead(10000)) << "dbus-daemon did not start";
    address_ = QString::fromUtf8(bus_->readLine()).trimmed();
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(dir_->Path().string()));
    program_ = new QProcess;
    program_->setProcessEnvironment(env);
    program_->setProcessChannelMode(QProcess::ForwardedChannels);
    program_->start(QStringLiteral(TEVRA_PROGRAM), {QStringLiteral("--automation")});
    ASSERT_TRUE(program_->waitForStarted());
    QDBusConnection bus = Bus();
    ASSERT_TRUE(bus.isConnected());
    QElapsedTimer waited;
    waited.start();
    while (!bus.interface()->isServiceRegistered(kService) && waited.elapsed() < 20000) QThread::msleep(50);
    ASSERT_TRUE(bus.interface()->isServiceRegistered(kService)) << "tevra --automation did not register";
  }
  static void TearDownTestSuite() {
    if (program_) {
      QDBusInterface(kService, kPath, kInterface, Bus()).call(QStringLiteral("Quit"));
      if (!program_->waitForFinished(10000)) program_->kill();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("test"));
    if (bus_) {
      bus_->kill();
      bus_->waitForFinished();
    }
    delete program_;
    delete bus_;
    delete dir_;
  }
  static QDBusConnection Bus() { return QDBusConnection::connectToBus(address_, QStringLiteral("test")); }

  QDBusInterface app{kService, kPath, kInterface, Bus()};
  template <typename T>
  T Call(const QString& method, const QVariant& a = {}, const QVariant& b = {}) {
    QList<QVariant> args;
    for (const QVariant& v : {a, b})
      if (v.isValid()) args << v;
    QDBusReply<T> reply = app.callWithArgumentList(QDBus::Block, method, args);
    EXPECT_TRUE(reply.isValid()) << method.toStdString() << ": " << reply.error().message().toStdString();
    return reply.value();
  }
  void Run(const QString& method, const QVariant& a = {}, const QVariant& b = {}) {
    QList<QVariant> args;
    for (const QVariant& v : {a, b})
      if (v.isValid()) args << v;
    const QDBusMessage reply = app.callWithArgumentList(QDBus::Block, method, args);
    EXPECT_NE(reply.type(), QDBusMessage::ErrorMessage) << method.toStdString() << ": " << reply.errorMessage().toStdString();
  }
  // The store's source positions in its order, as a print reads them back.
  QList<int> PrintedPositions() {
    QList<int> positions;
    for (int i = 0; i < Call<qint32>(QStringLiteral("GetLogCount")); ++i)
      positions << Call<qint32>(QStringLiteral("GetPrintedPos"), qint32(i));
    return positions;
  }

  static inline tevra::test::TempDir* dir_ = nullptr;
  static inline QProcess* bus_ = nullptr;
  static inline QProcess* program_ = nullptr;
  static inline QString address_;
};

TEST_F(Automation, TheInterfaceIsTheContractFile) {
  QFile file(QStringLiteral(TEVRA_SOURCE_DIR "/src/automation/org.tevra.Application.xml"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString contract = QString::fromUtf8(file.readAll());
  const QSet<QString> promised = Members(contract);
  auto offered = [](const QString& path, const QString& interface) {
    QDBusInterface introspect(kService, path, QStringLiteral("org.freedesktop.DBus.Introspectable"), Bus());
    const QDBusReply<QString> xml = introspect.call(QStringLiteral("Introspect"));
    EXPECT_TRUE(xml.isValid()) << path.toStdString();
    return Members(xml.value(), interface);
  };
  EXPECT_EQ(offered(kPath, kInterface), promised);
  EXPECT_EQ(promised.size(), 22 + 6 + 49);  // properties, signals, methods
  EXPECT_EQ(offered(kFactory, kFactoryInterface), Members(contract, kFactoryInterface));
  EXPECT_EQ(Members(contract, kFactoryInterface).size(), 1);
}

// A second logging program asks the factory for a program of its own: what
// it hands over does not reach the first one's log, and it ends when its
// client quits it.
TEST_F(Automation, EveryClientGetsAProgramOfItsOwn) {
  Run(QStringLiteral("DeleteLog"));
  Run(QStringLiteral("AddLog"), QStringLiteral("97.08.13,1234,W1AW,599,14.025,CW,50,,,,,,"));
  QDBusInterface factory(kService, kFactory, kFactoryInterface, Bus());
  QStringList names;
  for (int i = 0; i < 2; ++i) {
    const QDBusReply<QString> name = factory.call(QStringLiteral("NewInstance"));
    ASSERT_TRUE(name.isValid()) << name.error().message().toStdString();
    names << name.value();
  }
  ASSERT_NE(names[0], names[1]);
  QDBusInterface second(names[0], kPath, kInterface, Bus());
  QDBusInterface third(names[1], kPath, kInterface, Bus());
  second.call(QStringLiteral("AddLog"), QStringLiteral("97.08.14,0930,JA3XYZ,599,7.025,CW,50,,,,,,"));
  second.call(QStringLiteral("AddLog"), QStringLiteral("97.08.15,0930,JA1ABC,599,7.025,CW,50,,,,,,"));
  EXPECT_EQ(QDBusReply<qint32>(second.call(QStringLiteral("GetLogCount"))).value(), 2);
  EXPECT_EQ(QDBusReply<qint32>(third.call(QStringLiteral("GetLogCount"))).value(), 0);
  EXPECT_EQ(Call<qint32>(QStringLiteral("GetLogCount")), 1);
  for (QDBusInterface* instance : {&second, &third}) {
    EXPECT_EQ(QDBusReply<qint16>(instance->call(QStringLiteral("Quit"))).value(), 1);
  }
  QElapsedTimer waited;
  waited.start();
  auto registered = [&] {
    return Bus().interface()->isServiceRegistered(names[0]).value() || Bus().interface()->isServiceRegistered(names[1]).value();
  };
  while (registered() && waited.elapsed() < 20000) QThread::msleep(50);
  EXPECT_FALSE(registered());
  EXPECT_EQ(Call<qint32>(QStringLiteral("GetLogCount")), 1);  // the first one serves on
}

TEST_F(Automation, ALoggingProgramHandsOverSortsPrintsAndReadsBack) {
  Run(QStringLiteral("DeleteLog"));
  // Both date forms; a time without a number is not taken.
  Run(QStringLiteral("AddLog"), QStringLiteral("97.08.13,1234,W1AW,599,14.025,CW,50,,,,,,"));
  Run(QStringLiteral("AddLog"), QStringLiteral("970814,0930,JA3XYZ,599,7.025,CW,50,\"Sato, Jiro\",Osaka,,,,"));
  Run(QStringLiteral("AddLog"), QStringLiteral("97.08.15,--,JA2AAA,599"));
  Run(QStringLiteral("AddLogPos"), QStringLiteral("97/08/16,21:05,JA1ABC,59,7.1,SSB,10,,,,,,"), qint32(40));
  // An impossible date and a negative position are not taken.
  Run(QStringLiteral("AddLog"), QStringLiteral("99.99.99,99:99,JA4BAD"));
  Run(QStringLiteral("AddLogPos"), QStringLiteral("97/08/16,21:05,JA5BAD"), qint32(-1));
  EXPECT_EQ(Call<qint32>(QStringLiteral("GetLogCount")), 3);
  EXPECT_EQ(Call<qint32>(QStringLiteral("GetPrintMax")), 0);  // no cards before SetPrintMax
  Run(QStringLiteral("SetPrintMax"));
  EXPECT_EQ(Call<qint32>(QStringLiteral("GetPrintMax")), 3);
  EXPECT_EQ(app.property("LogType").value<qint16>(), 12);

  // Bureau order: Japanese call areas first, then DX; descending reverses.
  Run(QStringLiteral("SortLog"), S(0));
  EXPECT_EQ(PrintedPositions(), QList<int>({-1, -1, -1}));  // nothing printed yet
  EXPECT_EQ(app.property("SortFlag").value<qint16>(), 1);
  EXPECT_EQ(Call<QString>(QStringLiteral("StrDataMark"), QStringLiteral("ToCall"),
                          QStringLiteral("97.08.13,1234,JA1ABC,599,14.025,CW,50")),
            QStringLiteral("JA1ABC"));
  EXPECT_EQ(Call<QString>(QStringLiteral("StrDataMark"), QStringLiteral("ToCall"), QStringLiteral("97.08.13,x")),
            QString());

  // A print into a file: the Printed event carries the registered values.
  EventLog events;
  QDBusConnection bus = Bus();
  ASSERT_TRUE(bus.connect(kService, kPath, kInterface, QStringLiteral("Printed"), &events, SLOT(Printed(int, int))));
  const QString pdf = QString::fromStdString((dir_->Path() / "cards.pdf").string());
  app.call(QStringLiteral("SetEventPrinted"), qint32(1), qint32(0x8001), qint32(7), qint32(8));
  EXPECT_EQ(Call<qint32>(QStringLiteral("PrintToFile"), pdf), 3);
  EXPECT_TRUE(QFile::exists(pdf));
  EXPECT_EQ(app.property("PrintStat").value<qint16>(), 2);
  EXPECT_EQ(PrintedPositions(), QList<int>({40, 1, 0}));  // JA1ABC, JA3XYZ, W1AW
  QElapsedTimer waited;
  waited.start();
  while (events.received.isEmpty() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(events.received, QStringList({QStringLiteral("Printed 7 8")}));

  // DX stations deleted by a condition; the marks of the others stay.
  Run(QStringLiteral("DeletePrinted"), qint32(-1));
  Run(QStringLiteral("DelLogCond"), QStringLiteral("IsDX"));
  EXPECT_EQ(Call<qint32>(QStringLiteral("GetLogCount")), 2);
  Run(QStringLiteral("SortLog"), S(1));
  Run(QStringLiteral("SetPrintedMark"), qint32(0));
  EXPECT_EQ(PrintedPositions(), QList<int>({1, -1}));  // descending: JA3XYZ first
}

TEST_F(Automation, PropertiesSlotsAndTheWayOut) {
  struct Case {
    const char* property;
    QVariant set;
    QVariant expected;
  };
  Run(QStringLiteral("SetPrintMax"));
  const int cards = Call<qint32>(QStringLiteral("GetPrintMax"));
  const Case cases[] = {
      {"Version", qint32(5), qint32(721136)},                     // read only in effect
      {"CurPrintNo", qint32(cards), qint32(0)},                   // beyond the cards: unchanged
      {"Reserve3", S(-9), S(-9)},                       // stored and returned
      {"DocTTL", QStringLiteral("JA1ZZZ の QSL"), QStringLiteral("JA1ZZZ の QSL")},  // UTF-8 both ways
      {"LogType", S(10), S(10)},
  };
  app.setProperty("CurPrintNo", qint32(0));
  app.setProperty("LogType", S(12));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.property);
    app.setProperty(c.property, c.set);
    EXPECT_EQ(app.property(c.property), c.expected);
  }
  // Leaving the automation type names the log "OLERET.TXT".
  EXPECT_TRUE(app.property("LogName").toString().endsWith(QStringLiteral("OLERET.TXT")));
  // The rig and antenna slots 0..17.
  Run(QStringLiteral("SetRig"), S(3), QStringLiteral("IC-7300 100W"));
  EXPECT_EQ(Call<QString>(QStringLiteral("GetRig"), S(3)), QStringLiteral("IC-7300 100W"));
  EXPECT_EQ(Call<QString>(QStringLiteral("GetRig"), S(18)), QString());
  EXPECT_EQ(Call<QString>(QStringLiteral("GetAnt"), S(-1)), QString());
  // A client that keeps the program: no exit, no quit.
  app.setProperty("DisableExit", S(1));
  EXPECT_EQ(Call<qint16>(QStringLiteral("CanExit")), 0);
  EXPECT_EQ(Call<qint16>(QStringLiteral("Quit")), 0);
  app.setProperty("DisableExit", S(0));
  EXPECT_EQ(Call<qint32>(QStringLiteral("GetWindowStyle")) & 0x10000000, 0);  // never shown
}

TEST_F(Automation, TheExampleClientPrintsAndMarksItsLog) {
  const std::string log = dir_->Write("mylog.csv", [] {
    std::ifstream in(std::filesystem::path(TEVRA_EXAMPLES) / "automation" / "mylog.csv");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }());
  QProcess client;
  auto env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
  client.setProcessEnvironment(env);
  const QString pdf = QString::fromStdString((dir_->Path() / "example.pdf").string());
  client.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral(TEVRA_EXAMPLES "/automation/print_cards.py"), QStringLiteral("--layout"),
                QStringLiteral(TEVRA_EXAMPLES "/postcard.tvd"), QStringLiteral("--log"), QString::fromStdString(log),
                QStringLiteral("--pdf"), pdf});
  ASSERT_TRUE(client.waitForFinished(60000));
  const QString output = QString::fromUtf8(client.readAllStandardOutput() + client.readAllStandardError());
  ASSERT_EQ(client.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("3 cards printed"))) << output.toStdString();
  EXPECT_TRUE(QFile::exists(pdf));
  std::ifstream in(log);
  std::stringstream marked;
  marked << in.rdbuf();
  // Every row now carries "Y"; JA3XYZ had it before and was not printed.
  EXPECT_EQ(marked.str().find(",\r\n"), std::string::npos) << marked.str();
  EXPECT_NE(marked.str().find("VK2AA,-10,14.074,FT8,Bob,Y"), std::string::npos) << marked.str();
}

// Last: the program ends. DoMessageLoop is answered then, and the Exit
// event arrives.
TEST_F(Automation, QuitEndsTheMessageLoopAndSaysExit) {
  EventLog events;
  QDBusConnection bus = Bus();
  ASSERT_TRUE(bus.connect(kService, kPath, kInterface, QStringLiteral("Exit"), &events, SLOT(Exit(int, int))));
  app.call(QStringLiteral("SetEventExit"), qint32(1), qint32(0x8002), qint32(5), qint32(6));
  app.setProperty("DisableExit", S(1));
  QDBusPendingCall loop = app.asyncCall(QStringLiteral("DoMessageLoop"));  // resets DisableExit
  EXPECT_EQ(Call<qint16>(QStringLiteral("Quit")), 1);
  loop.waitForFinished();
  EXPECT_FALSE(loop.isError()) << loop.error().message().toStdString();
  QElapsedTimer waited;
  waited.start();
  while (events.received.isEmpty() && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_EQ(events.received, QStringList({QStringLiteral("Exit 5 6")}));
  EXPECT_TRUE(program_->waitForFinished(10000));
}

}  // namespace

#include "automation_test.moc"
