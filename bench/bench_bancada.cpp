// The workbench against the console runner, as whole processes on the X
// display of DISPLAY (bench/bancada.sh starts an Xvfb with openbox for it):
//  1. a run of 100,000 statements in `mivo` (log paused, as at start) and in
//     `mivo-run --silencioso`: each program's time on the script minus its
//     time on a script of one statement, so that starting the program does
//     not count; medians and their ratio;
//  2. `mivo script.mivo` until its first window is mapped on the screen.
//   bench_bancada MIVO MIVO_RUN [vezes]
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point inicio) {
  return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

double mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// A counting loop of `voltas` turns: 3 statements a turn plus 4 around it.
// It starts with a wait of 0.3 s, in which the window is drawn for the first
// time: the long and the short script pay for it alike.
void gravarLaco(const std::string& caminho, int voltas) {
  std::ofstream f(caminho);
  f << "##config\nfechar_ao_terminar=sim\n##config_fim\n&Pausar100(30).\n"
    << "&ValorDefinir(\"i\";\"0\").\n&Marcador(volta).\n&ValorInc(\"i\";1).\n"
    << "&Se([i]<" << voltas << ";&VaiPara(volta)).\n&VaiPara(fim).\n&Marcador(fim).\n";
}

pid_t iniciar(const std::vector<std::string>& comando) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& a : comando) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // Qt's notes about the environment are not part of what is measured.
    if (FILE* nada = std::freopen("/dev/null", "w", stderr)) (void)nada;
    if (FILE* nada = std::freopen("/dev/null", "w", stdout)) (void)nada;
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// Wall seconds of one whole run; exits on a failed run.
double medirProcesso(const std::vector<std::string>& comando) {
  const auto inicio = Relogio::now();
  const pid_t pid = iniciar(comando);
  int estado = 0;
  waitpid(pid, &estado, 0);
  const double s = segundosDesde(inicio);
  if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
    std::fprintf(stderr, "%s terminou com erro (%d)\n", comando[0].c_str(), estado);
    std::exit(1);
  }
  return s;
}

// Seconds from the launch of `comando` until a window of it is mapped:
// the first map of a top-level window (or of the frame openbox puts around
// it) seen on the root window.
double medirPrimeiraJanela(Display* x, const std::vector<std::string>& comando) {
  const Window raiz = DefaultRootWindow(x);
  XSelectInput(x, raiz, SubstructureNotifyMask);
  XSync(x, True);
  const auto inicio = Relogio::now();
  const pid_t pid = iniciar(comando);
  double s = -1;
  while (s < 0 && segundosDesde(inicio) < 20) {
    while (XPending(x) > 0) {
      XEvent e;
      XNextEvent(x, &e);
      if (e.type == MapNotify && !e.xmap.override_redirect) {
        s = segundosDesde(inicio);
        break;
      }
    }
    if (s < 0) usleep(200);
  }
  XSelectInput(x, raiz, NoEventMask);
  kill(pid, SIGTERM);
  int estado = 0;
  waitpid(pid, &estado, 0);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "uso: bench_bancada MIVO MIVO_RUN [vezes]\n");
    return 2;
  }
  const std::string mivo = argv[1], mivoRun = argv[2];
  const int vezes = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  Display* x = XOpenDisplay(nullptr);
  if (!x) {
    std::fprintf(stderr, "sem display X (DISPLAY)\n");
    return 2;
  }
  char modelo[] = "/tmp/bench-bancada-XXXXXX";
  const std::string pasta = mkdtemp(modelo);
  const std::string grande = pasta + "/cem_mil.mivo", curto = pasta + "/curto.mivo", longo = pasta + "/longo.mivo";
  gravarLaco(grande, 33332);  // 7 + 3 x 33,332 = 100,003 statements
  gravarLaco(curto, 1);
  {
    std::ofstream f(longo);
    f << "&Pausar(30).\n";
  }

  // Interleaved, so that a change in the machine's load hits every case.
  std::vector<double> bancada, bancadaCurto, console, consoleCurto, janela;
  for (int i = 0; i < vezes; ++i) {
    bancada.push_back(medirProcesso({mivo, grande}));
    bancadaCurto.push_back(medirProcesso({mivo, curto}));
    console.push_back(medirProcesso({mivoRun, "--silencioso", "--simular", grande}));
    consoleCurto.push_back(medirProcesso({mivoRun, "--silencioso", "--simular", curto}));
    janela.push_back(medirPrimeiraJanela(x, {mivo, longo}));
  }
  const double b = mediana(bancada) - mediana(bancadaCurto);
  const double c = mediana(console) - mediana(consoleCurto);
  std::printf("100.003 instruções (mediana de %d; tempo do script menos o de um script curto, ambos com uma espera inicial de 0,3 s)\n", vezes);
  std::printf("  mivo (bancada, log pausado): %.3f s  (processo %.3f s, partida %.3f s)\n", b, mediana(bancada),
              mediana(bancadaCurto));
  std::printf("  mivo-run --silencioso:       %.3f s  (processo %.3f s, partida %.3f s)\n", c, mediana(console),
              mediana(consoleCurto));
  std::printf("  bancada / console: %.2fx\n", c > 0 ? b / c : 0.0);
  std::printf("primeira janela de 'mivo script.mivo' mapeada: %.3f s (mediana de %d; mín. %.3f, máx. %.3f)\n",
              mediana(janela), vezes, *std::min_element(janela.begin(), janela.end()),
              *std::max_element(janela.begin(), janela.end()));
  XCloseDisplay(x);
  std::remove(grande.c_str());
  std::remove(curto.c_str());
  std::remove(longo.c_str());
  rmdir(pasta.c_str());
  return 0;
}
