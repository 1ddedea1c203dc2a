// flowcalc-cli: the exit statuses and stderr lines of every kind of error, each output format, the rows of a
// table, list, --help and --version; mostly through the library, a few times through the real program.
#include "cli.h"
#include "flowcalc_version.h"

#include <QProcess>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

std::vector<std::string> utf8(const QStringList& args)
{
    std::vector<std::string> out;
    for (const QString& arg : args)
        out.push_back(arg.toStdString());
    return out;
}

cli::Captured run(const QStringList& args)
{
    const std::vector<std::string> owned = utf8(args);
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    return cli::runCaptured(views);
}

QStringList lines(const std::string& out)
{
    QStringList result = QString::fromStdString(out).split('\n');
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

// "name = value" lines of a text answer.
std::map<QString, double> textValues(const std::string& out)
{
    std::map<QString, double> values;
    for (const QString& line : lines(out)) {
        const auto parts = line.split(" = ");
        values[parts.value(0)] = parts.value(1).toDouble();
    }
    return values;
}

struct Pipes {
    int exitStatus;
    QByteArray out;
    QByteArray err;
};

Pipes runProgram(const QStringList& args, const QString& locale = "C.UTF-8")
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", locale);
    process.setProcessEnvironment(environment);
    process.start(FLOWCALC_CLI_PATH, args);
    if (!process.waitForFinished(30000))
        return { -1, {}, {} };
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
        process.readAllStandardError() };
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void usageErrorsExitTwoWithOneLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("line");
        const QString flows
            = "isentropic, normal-shock, rayleigh, fanno, oblique-shock, conical-shock, prandtl-meyer, nozzle";
        // clang-format off
        QTest::newRow("no command") << QStringList {} << "flowcalc-cli: no command given; see flowcalc-cli --help";
        QTest::newRow("unknown command") << QStringList { "solv" }
            << "flowcalc-cli: unknown command 'solv'; the commands are solve, table, list, --help and --version";
        QTest::newRow("unknown first option") << QStringList { "--gamma", "1.4" }
            << "flowcalc-cli: unknown option '--gamma'; the first argument is a command: solve, table, list, --help or --version";
        QTest::newRow("no flow") << QStringList { "solve" } << "flowcalc-cli: solve needs a flow: " + flows;
        QTest::newRow("unknown flow") << QStringList { "solve", "Isentropic", "M=2" }
            << "flowcalc-cli: unknown flow 'Isentropic'; the flows are " + flows;
        QTest::newRow("unknown flow in list") << QStringList { "list", "shock" }
            << "flowcalc-cli: unknown flow 'shock'; the flows are " + flows;
        QTest::newRow("quantity case matters") << QStringList { "solve", "isentropic", "m=2" }
            << "flowcalc-cli: unknown quantity 'm' of isentropic; its quantities are M, p/p0, T/T0, rho/rho0, A/A*, p/p*, T/T*, rho/rho*, V/a*, nu, mu";
        QTest::newRow("not NAME=VALUE") << QStringList { "solve", "isentropic", "M", "2" }
            << "flowcalc-cli: 'M' is not NAME=VALUE";
        QTest::newRow("quantity twice") << QStringList { "solve", "isentropic", "M=2", "M=3" }
            << "flowcalc-cli: M is given twice";
        QTest::newRow("number with x") << QStringList { "solve", "isentropic", "M=2x" } << "flowcalc-cli: M: '2x' is not a number";
        QTest::newRow("decimal comma") << QStringList { "solve", "isentropic", "M=1,5" } << "flowcalc-cli: M: '1,5' is not a number";
        QTest::newRow("empty value") << QStringList { "solve", "isentropic", "M=" } << "flowcalc-cli: M: '' is not a number";
        QTest::newRow("nan") << QStringList { "solve", "isentropic", "M=nan" } << "flowcalc-cli: M: 'nan' is not a number";
        QTest::newRow("inf") << QStringList { "solve", "isentropic", "M=inf" } << "flowcalc-cli: M: 'inf' is not a number";
        QTest::newRow("beyond a double") << QStringList { "solve", "isentropic", "M=1e999" } << "flowcalc-cli: M: '1e999' is not a number";
        QTest::newRow("gamma with comma") << QStringList { "solve", "isentropic", "M=2", "--gamma", "1,4" }
            << "flowcalc-cli: --gamma: '1,4' is not a number";
        QTest::newRow("gamma 1") << QStringList { "solve", "isentropic", "M=2", "--gamma=1" } << "flowcalc-cli: gamma must be a number above 1";
        QTest::newRow("gamma below 1 in a table") << QStringList { "table", "isentropic", "--gamma", "0.5", "--from", "1", "--to", "2", "--step", "1" }
            << "flowcalc-cli: gamma must be a number above 1";
        QTest::newRow("unknown option") << QStringList { "solve", "isentropic", "M=2", "--gama", "1.3" } << "flowcalc-cli: unknown option '--gama'";
        QTest::newRow("table option in solve") << QStringList { "solve", "isentropic", "M=2", "--step", "1" }
            << "flowcalc-cli: solve takes no option --step";
        QTest::newRow("option in list") << QStringList { "list", "--format", "json" } << "flowcalc-cli: list takes no option --format";
        QTest::newRow("option twice") << QStringList { "solve", "isentropic", "M=2", "--gamma", "1.3", "--gamma=1.4" }
            << "flowcalc-cli: --gamma is given twice";
        QTest::newRow("option without value") << QStringList { "solve", "isentropic", "M=2", "--branch" }
            << "flowcalc-cli: --branch needs a value";
        QTest::newRow("unknown branch") << QStringList { "solve", "isentropic", "A/A*=2", "--branch", "super" }
            << "flowcalc-cli: --branch: unknown branch 'super'; the branches are sub, sup, low, high, weak and strong";
        QTest::newRow("unneeded branch") << QStringList { "solve", "isentropic", "M=2", "--branch", "sup" } << "flowcalc-cli: M takes no branch";
        QTest::newRow("wrong branch") << QStringList { "solve", "rayleigh", "T/T*=0.9", "--branch", "sub" }
            << "flowcalc-cli: branch sub does not apply to T/T*; it takes low or high";
        QTest::newRow("two inputs where one is taken") << QStringList { "solve", "isentropic", "M=2", "T/T0=0.5" }
            << "flowcalc-cli: M and T/T0 cannot be the input of isentropic; it takes M, p/p0, T/T0, rho/rho0, A/A*, p/p*, T/T*, rho/rho*, V/a*, nu, mu";
        QTest::newRow("output only") << QStringList { "solve", "oblique-shock", "M1=2", "M2=1.5" }
            << "flowcalc-cli: M1 and M2 cannot be the input of oblique-shock; it takes M1 and theta, M1 and beta, M1 and Mn1, theta and beta";
        QTest::newRow("no input") << QStringList { "solve", "fanno" }
            << "flowcalc-cli: fanno needs an input: M, 4fL*/D, T/T*, p/p*, rho/rho*, p0/p0*, V/V*, (s*-s)/R";
        QTest::newRow("tsv for solve") << QStringList { "solve", "isentropic", "M=2", "--format", "tsv" }
            << "flowcalc-cli: --format: solve takes text, json or csv, not 'tsv'";
        QTest::newRow("text for table") << QStringList { "table", "isentropic", "--from", "1", "--to", "2", "--step", "1", "--format", "text" }
            << "flowcalc-cli: --format: table takes csv, tsv or json, not 'text'";
        QTest::newRow("table without step") << QStringList { "table", "isentropic", "--from", "1", "--to", "2" }
            << "flowcalc-cli: table needs --step";
        QTest::newRow("table without range") << QStringList { "table", "isentropic" }
            << "flowcalc-cli: table needs --from, --to and --step";
        QTest::newRow("step zero") << QStringList { "table", "isentropic", "--from", "1", "--to", "2", "--step", "0" }
            << "flowcalc-cli: --step must not be zero";
        QTest::newRow("step away from B") << QStringList { "table", "isentropic", "--from", "1", "--to", "2", "--step", "-0.5" }
            << "flowcalc-cli: --step -0.5 points away from --to 2 (--from 1)";
        QTest::newRow("too many rows") << QStringList { "table", "isentropic", "--from", "1", "--to", "1e300", "--step", "1" }
            << "flowcalc-cli: the table would have more than 100000000 rows (the limit); choose a larger --step";
        QTest::newRow("one row over the limit") << QStringList { "table", "isentropic", "--from", "0", "--to", "100000000", "--step", "1" }
            << "flowcalc-cli: the table would have more than 100000000 rows (the limit); choose a larger --step";
        QTest::newRow("oblique table without M1") << QStringList { "table", "oblique-shock", "--from", "0", "--to", "20", "--step", "5" }
            << "flowcalc-cli: a table of theta for oblique-shock needs a fixed M1=VALUE or beta=VALUE";
        QTest::newRow("conical table without M1") << QStringList { "table", "conical-shock", "--from", "5", "--to", "20", "--step", "5" }
            << "flowcalc-cli: a table of theta_c for conical-shock needs a fixed M1=VALUE";
        QTest::newRow("prandtl-meyer table without M1") << QStringList { "table", "prandtl-meyer", "--from", "0", "--to", "20", "--step", "5" }
            << "flowcalc-cli: a table of theta for prandtl-meyer needs a fixed M1=VALUE or M2=VALUE";
        QTest::newRow("table input also fixed") << QStringList { "table", "oblique-shock", "theta=5", "--from", "0", "--to", "20", "--step", "5" }
            << "flowcalc-cli: theta is the table's input and cannot also be fixed";
        QTest::newRow("table of a branched input without branch") << QStringList { "table", "isentropic", "--input", "A/A*", "--from", "1", "--to", "2", "--step", "1" }
            << "flowcalc-cli: a table of A/A* needs --branch sub or sup";
        QTest::newRow("unknown table input") << QStringList { "table", "fanno", "--input", "4fl*/D", "--from", "1", "--to", "2", "--step", "1" }
            << "flowcalc-cli: unknown quantity '4fl*/D' of fanno; its quantities are M, 4fL*/D, T/T*, p/p*, rho/rho*, p0/p0*, V/V*, (s*-s)/R";
        QTest::newRow("list with two flows") << QStringList { "list", "fanno", "rayleigh" }
            << "flowcalc-cli: list takes one flow; 'rayleigh' is one argument too many";
        QTest::newRow("version with argument") << QStringList { "--version", "x" }
            << "flowcalc-cli: --version takes no argument; 'x' was given";
        // clang-format on
    }
    void usageErrorsExitTwoWithOneLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, line);
        const cli::Captured result = run(args);
        QCOMPARE(QString::fromStdString(result.err), line);
        QCOMPARE(result.exitStatus, 2);
        QCOMPARE(result.out, std::string());
    }

    void valuesWithoutSolutionExitOne_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("line");
        QTest::newRow("area ratio below 1") << QStringList { "solve", "isentropic", "A/A*=0.5", "--branch", "sub" }
                                            << "flowcalc-cli: A/A* must be 1 or more";
        QTest::newRow("detached oblique shock")
            << QStringList { "solve", "oblique-shock", "M1=2", "theta=25" }
            << "flowcalc-cli: theta 25 is above the largest deflection 22.9735 degrees for M1 2 (detached shock)";
    }
    void valuesWithoutSolutionExitOne()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, line);
        const cli::Captured result = run(args);
        QCOMPARE(QString::fromStdString(result.err), line);
        QCOMPARE(result.exitStatus, 1);
        QCOMPARE(result.out, std::string());
    }

    void compressionIsRefusedNamingM1()
    {
        const cli::Captured result = run({ "solve", "prandtl-meyer", "M1=2", "M2=1.5" });
        QCOMPARE(result.exitStatus, 1);
        QCOMPARE(result.out, std::string());
        QVERIFY(result.err.starts_with("flowcalc-cli: "));
        QVERIFY2(result.err.find("M1") != std::string::npos, result.err.c_str());
        QCOMPARE(result.err, std::string("flowcalc-cli: M2 1.5 is below M1 2 (a smaller M2 is a compression)"));
    }

    void numbersAreReadInTheCLocaleOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "2" << true << 2.0;
        QTest::newRow("negative") << "-0.5" << true << -0.5;
        QTest::newRow("plus sign") << "+4" << true << 4.0;
        QTest::newRow("exponent") << "1e-3" << true << 1e-3;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "5." << true << 5.0;
        QTest::newRow("trailing x") << "2x" << false << 0.0;
        QTest::newRow("comma") << "1,5" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("inf") << "inf" << false << 0.0;
        QTest::newRow("minus infinity") << "-infinity" << false << 0.0;
        QTest::newRow("lone plus") << "+" << false << 0.0;
        QTest::newRow("two signs") << "+-1" << false << 0.0;
        QTest::newRow("open exponent") << "1e" << false << 0.0;
        QTest::newRow("hexadecimal") << "0x10" << false << 0.0;
        QTest::newRow("leading blank") << " 2" << false << 0.0;
        QTest::newRow("trailing blank") << "2 " << false << 0.0;
        QTest::newRow("overflow") << "1e400" << false << 0.0;
    }
    void numbersAreReadInTheCLocaleOnly()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(double, value);
        const auto read = cli::readNumber(text.toStdString());
        QCOMPARE(read.has_value(), accepted);
        if (accepted)
            QCOMPARE(*read, value);
    }

    void numbersAreWrittenShortest_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("whole") << 2.0 << "2";
        QTest::newRow("third") << 1.0 / 3.0 << "0.3333333333333333";
        QTest::newRow("large") << 1e20 << "1e+20";
        QTest::newRow("small") << 2.5e-5 << "2.5e-05";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("smallest") << std::numeric_limits<double>::denorm_min() << "5e-324";
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << "0.30000000000000004";
    }
    void numbersAreWrittenShortest()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(cli::writeNumber(value)), text);
        QCOMPARE(cli::readNumber(cli::writeNumber(value)), value == 0.0 ? 0.0 : value);
    }

    // The formats, on a made-up subsonic isentropic state without nu and mu.
    void solveFormats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << int(cli::Format::Text)
                              << "M = 0.5\np/p0 = 0.8\nT/T0 = 0.95\nrho/rho0 = 0.85\nA/A* = 1.25\np/p* = 1.5\n"
                                 "T/T* = 1.1\nrho/rho* = 1.3\nV/a* = 0.1\n";
        QTest::newRow("json") << int(cli::Format::Json)
                              << "{\"flow\": \"isentropic\", \"gamma\": 1.4, \"branch\": null, \"inputs\": {\"A/A*\": "
                                 "1.25}, \"results\": {\"M\": 0.5, \"p/p0\": 0.8, \"T/T0\": 0.95, \"rho/rho0\": 0.85, "
                                 "\"A/A*\": 1.25, \"p/p*\": 1.5, \"T/T*\": 1.1, \"rho/rho*\": 1.3, \"V/a*\": 0.1}}\n";
        QTest::newRow("csv") << int(cli::Format::Csv)
                             << "M,p/p0,T/T0,rho/rho0,A/A*,p/p*,T/T*,rho/rho*,V/a*,nu,mu\n"
                                "0.5,0.8,0.95,0.85,1.25,1.5,1.1,1.3,0.1,,\n";
    }
    void solveFormats()
    {
        QFETCH(int, format);
        QFETCH(QString, expected);
        cli::Request request;
        request.command = cli::Command::Solve;
        request.flow = gasdyn::Flow::Isentropic;
        request.format = static_cast<cli::Format>(format);
        request.givens = { { 4, 1.25 } };
        gasdyn::Solution solution;
        const double values[] = { 0.5, 0.8, 0.95, 0.85, 1.25, 1.5, 1.1, 1.3, 0.1 };
        for (std::size_t i = 0; i < std::size(values); ++i)
            solution.values[i] = values[i];
        QCOMPARE(QString::fromStdString(cli::formatSolution(request, solution)), expected);
    }

    void jsonNamesTheBranch()
    {
        cli::Request request;
        request.command = cli::Command::Solve;
        request.flow = gasdyn::Flow::ObliqueShock;
        request.format = cli::Format::Json;
        request.gamma = 1.3;
        request.givens = { { 1, 10.0 }, { 0, 2.0 } };
        gasdyn::Solution solution;
        solution.values[0] = 2.0;
        solution.values[1] = 10.0;
        solution.branch = gasdyn::Branch::Strong;
        QCOMPARE(QString::fromStdString(cli::formatSolution(request, solution)),
            "{\"flow\": \"oblique-shock\", \"gamma\": 1.3, \"branch\": \"strong\", \"inputs\": {\"theta\": 10, \"M1\": "
            "2}, \"results\": {\"M1\": 2, \"theta\": 10}}\n");
    }

    void parseReadsEveryOptionForm()
    {
        const std::vector<std::string_view> args { "table", "--gamma=1.3", "oblique-shock", "--input", "beta", "M1=3",
            "--from", "-0", "--to=60", "--step", "+5", "--format", "json", "--branch=weak" };
        const auto parsed = cli::parse(args);
        QVERIFY(std::holds_alternative<cli::Request>(parsed));
        const auto& request = std::get<cli::Request>(parsed);
        QCOMPARE(request.command, cli::Command::Table);
        QCOMPARE(request.flow, gasdyn::Flow::ObliqueShock);
        QCOMPARE(request.gamma, 1.3);
        QCOMPARE(request.input, 2);
        QCOMPARE(request.givens.size(), std::size_t(1));
        QCOMPARE(request.givens[0].quantity, 0);
        QCOMPARE(request.givens[0].value, 3.0);
        QCOMPARE(request.to, 60.0);
        QCOMPARE(request.step, 5.0);
        QCOMPARE(request.format, cli::Format::Json);
        QCOMPARE(request.branch, gasdyn::Branch::Weak);
    }

    void tableDefaultsToCsvAndEachFlowsInput_data()
    {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("input");
        QTest::newRow("isentropic") << "isentropic"
                                    << "M";
        QTest::newRow("normal-shock") << "normal-shock"
                                      << "M1";
        QTest::newRow("rayleigh") << "rayleigh"
                                  << "M";
        QTest::newRow("fanno") << "fanno"
                               << "M";
        QTest::newRow("oblique-shock") << "oblique-shock"
                                       << "theta";
        QTest::newRow("conical-shock") << "conical-shock"
                                       << "theta_c";
        QTest::newRow("prandtl-meyer") << "prandtl-meyer"
                                       << "theta";
    }
    void tableDefaultsToCsvAndEachFlowsInput()
    {
        QFETCH(QString, flow);
        QFETCH(QString, input);
        const std::string text = flow.toStdString();
        const std::vector<std::string_view> args { "table", text, "--from", "1", "--to", "2", "--step", "1" };
        const auto parsed = cli::parse(args);
        QVERIFY(std::holds_alternative<cli::Request>(parsed));
        const auto& request = std::get<cli::Request>(parsed);
        QCOMPARE(request.format, cli::Format::Csv);
        QCOMPARE(QString::fromUtf8(gasdyn::quantities(request.flow)[static_cast<std::size_t>(request.input)]), input);
    }

    // Rows A + i*S up to B, each the decimal A + i*S rounded once; the grid point nearest B ends the table when
    // (B-A)/S is within 1e-9 of a whole number.
    void tableRowsRunUpToB_data()
    {
        QTest::addColumn<QStringList>("range"); // --from, --to, --step
        QTest::addColumn<QStringList>("inputs");
        QTest::newRow("whole count") << QStringList { "1", "2", "0.25" }
                                     << QStringList { "1", "1.25", "1.5", "1.75", "2" };
        QTest::newRow("B not reached") << QStringList { "1", "2", "0.3" } << QStringList { "1", "1.3", "1.6", "1.9" };
        QTest::newRow("decimal A + i*S") << QStringList { "0.1", "0.4", "0.1" }
                                         << QStringList { "0.1", "0.2", "0.3", "0.4" };
        QTest::newRow("0.1 steps from 1")
            << QStringList { "1", "1.3", "0.1" } << QStringList { "1", "1.1", "1.2", "1.3" };
        QTest::newRow("1.2 from 0.4") << QStringList { "0.4", "1.2", "0.4" } << QStringList { "0.4", "0.8", "1.2" };
        QTest::newRow("negative decimal step")
            << QStringList { "0.4", "0.1", "-0.1" } << QStringList { "0.4", "0.3", "0.2", "0.1" };
        QTest::newRow("exponents") << QStringList { "1e-3", "4e-3", "1E-3" }
                                   << QStringList { "0.001", "0.002", "0.003", "0.004" };
        QTest::newRow("plus sign and exponent")
            << QStringList { "+2.5e-1", "0.35", "0.05" } << QStringList { "0.25", "0.3", "0.35" };
        QTest::newRow("many digits") << QStringList {
            "0.12345678901234567", "0.12345678901234569", "0.00000000000000001"
        } << QStringList { "0.12345678901234566", "0.12345678901234568", "0.12345678901234569" };
        QTest::newRow("B within 1e-9: the grid point")
            << QStringList { "1", "3.0000000005", "1" } << QStringList { "1", "2", "3" };
        QTest::newRow("B beyond 1e-9") << QStringList { "1", "3.000000002", "1" } << QStringList { "1", "2", "3" };
        QTest::newRow("downwards") << QStringList { "3", "2", "-0.5" } << QStringList { "3", "2.5", "2" };
        QTest::newRow("A is B") << QStringList { "2", "2", "-1" } << QStringList { "2" };
    }
    void tableRowsRunUpToB()
    {
        QFETCH(QStringList, range);
        QFETCH(QStringList, inputs);
        const cli::Captured result
            = run({ "table", "isentropic", "--from", range[0], "--to", range[1], "--step", range[2] });
        QCOMPARE(result.exitStatus, 0);
        QCOMPARE(result.err, std::string());
        QStringList rows = lines(result.out);
        QCOMPARE(rows.takeFirst(), "M,p/p0,T/T0,rho/rho0,A/A*,p/p*,T/T*,rho/rho*,V/a*,nu,mu");
        QStringList firstColumn;
        for (const QString& row : rows) {
            QCOMPARE(row.count(','), 10);
            firstColumn << row.section(',', 0, 0);
        }
        QCOMPARE(firstColumn, inputs);
    }

    void subsonicResultsLeaveNuAndMuOut()
    {
        const cli::Captured text = run({ "solve", "isentropic", "M=0.5" });
        QCOMPARE(text.exitStatus, 0);
        const auto values = textValues(text.out);
        QCOMPARE(values.size(), std::size_t(9));
        QVERIFY(!values.count("nu") && !values.count("mu"));
        QCOMPARE(values.at("M"), 0.5);
        QVERIFY(qFuzzyCompare(values.at("T/T0"), 1.0 / 1.05));
        const cli::Captured json = run({ "solve", "isentropic", "M=0.5", "--format", "json" });
        QVERIFY(json.out.starts_with("{\"flow\": \"isentropic\", \"gamma\": 1.4, \"branch\": null, \"inputs\": {\"M\": "
                                     "0.5}, \"results\": {\"M\": "
                                     "0.5, \"p/p0\": "));
        QVERIFY(json.out.find("\"nu\"") == std::string::npos);
        const cli::Captured tsv
            = run({ "table", "isentropic", "--from", "0.5", "--to", "2", "--step", "1.5", "--format", "tsv" });
        const QStringList rows = lines(tsv.out);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[1].endsWith("\t\t"));
        QVERIFY(std::fabs(rows[2].split('\t').last().toDouble() - 30.0) < 1e-12); // the Mach angle of Mach 2
    }

    void supersonicAreaRatioBranch()
    {
        const cli::Captured result = run({ "solve", "isentropic", "A/A*=1.6875", "--branch", "sup" });
        QCOMPARE(result.exitStatus, 0);
        QVERIFY(std::fabs(textValues(result.out).at("M") - 2.0) < 1e-12);
    }

    void leftOutRowsAreNamedOnOneLine()
    {
        const cli::Captured some = run({ "table", "normal-shock", "--from", "0.25", "--to", "2", "--step", "0.25" });
        QCOMPARE(some.exitStatus, 0);
        QCOMPARE(lines(some.out).size(), 1 + 5);
        const std::string head = "flowcalc-cli: left out 3 of 8 rows (first at M1 = 0.25, last at M1 = 0.75); first "
                                 "reason: ";
        QVERIFY2(some.err.starts_with(head) && some.err.size() > head.size(), some.err.c_str());

        const cli::Captured one = run({ "table", "normal-shock", "--from", "0.5", "--to", "2", "--step", "0.5" });
        QCOMPARE(one.exitStatus, 0);
        QVERIFY2(one.err.starts_with("flowcalc-cli: left out 1 of 4 rows (at M1 = 0.5): "), one.err.c_str());

        const cli::Captured none
            = run({ "table", "normal-shock", "--from", "0.1", "--to", "0.3", "--step", "0.1", "--format", "json" });
        QCOMPARE(none.exitStatus, 1);
        QCOMPARE(none.out, std::string());
        QVERIFY2(none.err.starts_with("flowcalc-cli: no row has a solution: left out 3 of 3 rows (first at M1 = 0.1, "
                                      "last at M1 = 0.3); first reason: "),
            none.err.c_str());
    }

    void tableJsonHasFixedInputsAndRows()
    {
        const cli::Captured result
            = run({ "table", "oblique-shock", "M1=3", "--from", "5", "--to", "15", "--step", "5", "--format", "json" });
        QCOMPARE(result.exitStatus, 0);
        const QStringList rows = lines(result.out);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0],
            "{\"flow\": \"oblique-shock\", \"gamma\": 1.4, \"branch\": \"weak\", \"fixed\": {\"M1\": 3}, "
            "\"rows\": [");
        QVERIFY(rows[1].startsWith("{\"M1\": 3, \"theta\": 5, \"beta\": ") && rows[1].endsWith("},"));
        QVERIFY(rows[3].startsWith("{\"M1\": 3, \"theta\": 15, ") && rows[3].endsWith("}"));
        QCOMPARE(rows[4], "]}");
    }

    // A table longer than one output block comes out whole and in order.
    void longTableIsWrittenWhole()
    {
        const cli::Captured result = run({ "table", "isentropic", "--from", "1", "--to", "20001", "--step", "0.1" });
        QCOMPARE(result.exitStatus, 0);
        QVERIFY(result.out.size() > 2 * (1 << 20));
        std::size_t rows = 0;
        for (const char c : result.out)
            rows += c == '\n';
        QCOMPARE(rows, std::size_t(1 + 200001));
        const std::size_t lastRow = result.out.rfind('\n', result.out.size() - 2) + 1;
        QVERIFY(result.out.compare(lastRow, 6, "20001,") == 0);
    }

    void listShowsFlowsAndInputs()
    {
        const cli::Captured flows = run({ "list" });
        QCOMPARE(flows.exitStatus, 0);
        QCOMPARE(flows.out,
            "isentropic\nnormal-shock\nrayleigh\nfanno\noblique-shock\nconical-shock\nprandtl-meyer\nnozzle\n");
        const cli::Captured oblique = run({ "list", "oblique-shock" });
        QCOMPARE(oblique.exitStatus, 0);
        QCOMPARE(QString::fromStdString(oblique.out),
            "M1         input with theta (--branch weak or strong, default weak), beta or Mn1\n"
            "theta      input with M1 (--branch weak or strong, default weak) or beta\n"
            "beta       input with M1 or theta\n"
            "Mn1        input with M1\n"
            "Mn2        output only\n"
            "M2         output only\n"
            "p2/p1      output only\n"
            "rho2/rho1  output only\n"
            "T2/T1      output only\n"
            "p02/p01    output only\n"
            "theta_max  output only\n");
        const cli::Captured rayleigh = run({ "list", "rayleigh" });
        QCOMPARE(QString::fromStdString(rayleigh.out),
            "M         input\n"
            "T0/T0*    input, needs --branch sub or sup\n"
            "T/T*      input, needs --branch low or high\n"
            "p/p*      input\n"
            "rho/rho*  input\n"
            "p0/p0*    input, needs --branch sub or sup\n"
            "V/V*      input\n"
            "(s*-s)/R  input, needs --branch sub or sup\n");
    }

    void helpAndVersion()
    {
        const cli::Captured version = run({ "--version" });
        QCOMPARE(version.exitStatus, 0);
        QCOMPARE(version.out, std::string("flowcalc-cli ") + FLOWCALC_VERSION + "\n");
        for (const QStringList& args : { QStringList { "--help" }, QStringList { "solve", "isentropic", "-h" } }) {
            const cli::Captured help = run(args);
            QCOMPARE(help.exitStatus, 0);
            QCOMPARE(help.err, std::string());
            QVERIFY(help.out.starts_with("flowcalc-cli: the compressible-flow solver on the command line"));
            QVERIFY(help.out.find("  flowcalc-cli list [FLOW]\n") != std::string::npos);
        }
    }

    // The real program: stdout, stderr and exit status as a script sees them.
    void programWritesStdoutAndOneStderrLine()
    {
        const Pipes ok = runProgram({ "solve", "normal-shock", "M1=2", "--format", "csv" });
        QCOMPARE(ok.exitStatus, 0);
        QCOMPARE(ok.err, QByteArray());
        QVERIFY(ok.out.startsWith("M1,M2,p2/p1,rho2/rho1,T2/T1,p02/p01,p02/p1,(s2-s1)/R\n2,0.57735"));

        const Pipes usage = runProgram({ "solve", "normal-shock", "M1=2x" });
        QCOMPARE(usage.exitStatus, 2);
        QCOMPARE(usage.out, QByteArray());
        QCOMPARE(usage.err, QByteArray("flowcalc-cli: M1: '2x' is not a number\n"));

        const Pipes none = runProgram({ "solve", "isentropic", "A/A*=0.5", "--branch", "sup" });
        QCOMPARE(none.exitStatus, 1);
        QCOMPARE(none.out, QByteArray());
        QCOMPARE(none.err, QByteArray("flowcalc-cli: A/A* must be 1 or more\n"));

        const Pipes partial = runProgram({ "table", "normal-shock", "--from", "0.5", "--to", "1.5", "--step", "0.5" });
        QCOMPARE(partial.exitStatus, 0);
        QCOMPARE(partial.out.count('\n'), 3);
        QCOMPARE(partial.err.count('\n'), 1);
    }

    void programIgnoresTheLocale()
    {
        const Pipes point = runProgram({ "solve", "isentropic", "M=1.5" }, "de_DE.UTF-8");
        QCOMPARE(point.exitStatus, 0);
        QVERIFY(point.out.startsWith("M = 1.5\np/p0 = 0."));
        const Pipes comma = runProgram({ "solve", "isentropic", "M=1,5" }, "de_DE.UTF-8");
        QCOMPARE(comma.exitStatus, 2);
        QCOMPARE(comma.err, QByteArray("flowcalc-cli: M: '1,5' is not a number\n"));
    }

    // atmosphere, flight, state and table atmosphere: a few rows through the library.
    void realQuantities_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line"); // a line of stdout, or the stderr line
        QTest::newRow("tropopause") << QStringList { "atmosphere", "--geopotential", "11000" } << 0 << "T = 216.65 K";
        QTest::newRow("feet") << QStringList { "atmosphere", "--altitude", "35000 ft", "--units", "us" } << 0
                              << "z = 35000 ft";
        QTest::newRow("csv") << QStringList { "atmosphere", "--altitude=0", "--format", "csv" } << 0
                             << "0,0,288.15,101325,1.2249991558877125,340.2941077869353,1.789380278077583e-05,"
                                "1.4607196008889362e-05";
        QTest::newRow("flight") << QStringList { "flight", "--altitude", "0", "M=0.5" } << 0
                                << "V = 170.14705389346764 m/s";
        QTest::newRow("pitot") << QStringList { "flight", "--altitude", "0", "p02/p=1.1862126380443982" } << 0
                               << "p0 = 120192.99554984865 Pa";
        QTest::newRow("state") << QStringList { "state", "isentropic", "M=1", "--p0", "1 bar", "--T0", "300 K" } << 0
                               << "T = 250 K";
        QTest::newRow("table") << QStringList { "table", "atmosphere", "--from", "0", "--to", "1", "--step", "1",
            "--format", "tsv" } << 0
                               << "z\tH\tT\tp\trho\ta\tmu\tnu";
        QTest::newRow("at rest") << QStringList { "flight", "--altitude", "0", "p02-p=0 psi" } << 0 << "CAS = 0 m/s";
        QTest::newRow("too high") << QStringList { "atmosphere", "--altitude", "86001" } << 1
                                  << "flowcalc-cli: altitude must be from -5000 to 86000 m";
        QTest::newRow("mass as pressure") << QStringList { "state", "isentropic", "M=2", "--p0", "3 kg", "--T0",
            "300" } << 2 << "flowcalc-cli: --p0: \"3 kg\" is not a pressure: give a unit such as kPa, bar or psi";
        QTest::newRow("no altitude") << QStringList { "flight", "M=2" } << 2
                                     << "flowcalc-cli: give one of --altitude and --geopotential";
        QTest::newRow("unknown gas") << QStringList { "state", "isentropic", "M=2", "--p0", "1", "--T0", "300", "--gas",
            "Xe" } << 2 << "flowcalc-cli: unknown gas Xe (air, N2, O2, He, Ar, CO2, H2 or custom)";
    }
    void realQuantities()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, line);
        const cli::Captured r = run(args);
        QCOMPARE(r.exitStatus, status);
        if (status == 0) {
            QVERIFY(r.err.empty());
            QVERIFY2(lines(r.out).contains(line), r.out.c_str());
        } else {
            QVERIFY(r.out.empty());
            QCOMPARE(QString::fromStdString(r.err), line);
        }
    }
};

QTEST_APPLESS_MAIN(TestCli)
#include "tst_cli.moc"
