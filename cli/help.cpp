// The text of flowcalc-cli --help.
#include "cli.h"

namespace cli {

std::string_view helpText()
{
    return R"(flowcalc-cli: the compressible-flow solver on the command line (calorically perfect gas)

Usage:
  flowcalc-cli solve FLOW NAME=VALUE [NAME=VALUE] [--gamma G] [--branch B] [--format text|json|csv]
  flowcalc-cli table FLOW --from A --to B --step S [--input NAME] [NAME=VALUE] [--gamma G] [--branch B]
                          [--format csv|tsv|json]
  flowcalc-cli list [FLOW]
  flowcalc-cli atmosphere --altitude Z | --geopotential H [--units si|us] [--format text|json|csv|tsv]
  flowcalc-cli flight --altitude Z M=VALUE | V=VALUE | p02-p=VALUE | p02/p=VALUE [--units si|us]
  flowcalc-cli state FLOW NAME=VALUE ... --p0 P --T0 T [--gas air|N2|O2|He|Ar|CO2|H2|custom --R R --gamma G]
  flowcalc-cli table atmosphere --from A --to B --step S [--format csv|tsv|json]
  flowcalc-cli --help | --version

solve   Give one quantity of the flow (two for oblique-shock, conical-shock, prandtl-meyer, nozzle) and get
        every quantity of the state. text (the default) writes one "name = value" line per result;
        json writes {"flow", "gamma", "branch", "inputs", "results"}; csv a header line and one row.
table   Runs the input quantity from A in steps of S up to B (row i is A + i*S; B itself is the last row
        when (B-A)/S is within 1e-9 of a whole number) and writes every quantity as a column: csv (the
        default), tsv, or json {"flow", "gamma", "branch", "fixed", "rows"}. The input is --input NAME, by
        default M (isentropic, rayleigh, fanno), M1 (normal-shock), theta (oblique-shock, prandtl-meyer) or
        theta_c (conical-shock), pb/p0 (nozzle); the other input of a two-input flow is fixed with
        NAME=VALUE (M1=3, Ae/At=2).
        Rows without a solution are left out and one line on stderr says which and why. At most
        100000000 rows.
atmosphere  The U.S. Standard Atmosphere 1976 from -5000 to 86000 m geometric: z H T p rho a mu nu.
flight  Adds M V T0 p0 q Re/L p02 CAS (pitot pressure, calibrated airspeed) for M, V or a pitot reading.
state   Solves the flow and adds p T rho a V mdot/A from the stagnation state --p0, --T0 of the gas.
        Values may carry units ('10 bar', '35000 ft', '250 kn', '-40 degC'); --units us writes US units.
list    Lists the flows, or for one flow its quantities in output order, whether each can be an input
        (and with which other quantity) and which --branch it needs.

Flows and their quantities (in output order):
  isentropic      M p/p0 T/T0 rho/rho0 A/A* p/p* T/T* rho/rho* V/a* nu mu
  normal-shock    M1 M2 p2/p1 rho2/rho1 T2/T1 p02/p01 p02/p1 (s2-s1)/R
  rayleigh        M T0/T0* T/T* p/p* rho/rho* p0/p0* V/V* (s*-s)/R
  fanno           M 4fL*/D T/T* p/p* rho/rho* p0/p0* V/V* (s*-s)/R
  oblique-shock   M1 theta beta Mn1 Mn2 M2 p2/p1 rho2/rho1 T2/T1 p02/p01 theta_max
  conical-shock   M1 theta_c beta Mc M2 pc/p1 Tc/T1 rhoc/rho1 p02/p01 theta_c_max
  prandtl-meyer   M1 M2 theta nu1 nu2 mu1 mu2 p2/p1 T2/T1 rho2/rho1
  nozzle          Ae/At pb/p0 regime Mt Me pe/p0 Te/T0 p0e/p0 As/At Ms1 Ms2 pb/p0_sub
                  pb/p0_exit_shock pb/p0_design mdot_param   (regime is written as a word)
Names are case-sensitive; quote those holding * or ( in a shell: 'A/A*=2'.

Branches (--branch), where a value has two solutions:
  sub, sup      subsonic or supersonic (isentropic A/A*; rayleigh T0/T0*, p0/p0*, (s*-s)/R;
                fanno 4fL*/D, p0/p0*, (s*-s)/R)
  low, high     the smaller or larger Mach number (rayleigh T/T*)
  weak, strong  the oblique shock from M1 and theta (default weak)
Where both branches meet (A/A* = 1, ...) the meeting point is the answer, with or without a branch.

Options:
  --gamma G     ratio of specific heats, a finite number above 1 (default 1.4)
  --branch B    sub, sup, low, high, weak or strong
  --format F    output format (see above)
  --from A, --to B, --step S, --input NAME   the table's range and input quantity
  Each option may also be written --option=VALUE, and given once.

Numbers are read in the C locale whatever the locale: digits, one point, an optional exponent
("2", "-0.5", "1e-3", "+4"); "1,5", "2x", "nan", "inf" or nothing are refused. Angles are in degrees.
Output numbers are the shortest text that reads back to the same double. A result that is not
defined for the state (nu and mu below Mach 1) is left out of text and json and empty in csv/tsv.

Exit status: 0 answered; 1 a value without a solution (or a result too large for a double, or a table
without a single row); 2 a usage error (unknown command, flow, quantity, option, format or branch; a value
that is not a number; a gamma not above 1; an input that cannot be an input; a missing or unneeded
branch; a table step that is zero or points away from B). On an error nothing is written to stdout and
one line starting "flowcalc-cli: " to stderr, naming the broken bound.

Examples:
  flowcalc-cli solve isentropic 'A/A*=2' --branch sup
  flowcalc-cli solve oblique-shock M1=2 theta=10 --format json
  flowcalc-cli table normal-shock --from 1 --to 3 --step 0.5
  flowcalc-cli table oblique-shock M1=3 --from 0 --to 40 --step 5 --format tsv
  flowcalc-cli solve nozzle Ae/At=2 pb/p0=0.6
  flowcalc-cli list rayleigh
)";
}

} // namespace cli
