# Reference for bench_lista: the same work with Python's csv module.
#   python3 referencia_csv.py ler ARQ | escrever ARQ SAIDA | copiar ARQ SAIDA
# Prints: phase seconds peak_kib. "copiar" reads the list and writes it
# again, the whole process being what is measured (bench/lista.sh).
import csv
import resource
import sys
import time


def pico():
    return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss


fase, arquivo = sys.argv[1], sys.argv[2]
if fase == "ler":
    t = time.perf_counter()
    with open(arquivo, newline="", encoding="cp1252") as f:
        linhas = list(csv.reader(f, delimiter=";"))
    print("ler %.3f %d" % (time.perf_counter() - t, pico()))
elif fase == "escrever":
    with open(arquivo, newline="", encoding="cp1252") as f:
        linhas = list(csv.reader(f, delimiter=";"))
    t = time.perf_counter()
    with open(sys.argv[3], "w", newline="", encoding="cp1252") as f:
        csv.writer(f, delimiter=";", lineterminator="\r\n").writerows(linhas)
    print("escrever %.3f %d" % (time.perf_counter() - t, pico()))
elif fase == "copiar":
    t = time.perf_counter()
    with open(arquivo, newline="", encoding="cp1252") as f:
        linhas = list(csv.reader(f, delimiter=";"))
    with open(sys.argv[3], "w", newline="", encoding="cp1252") as f:
        csv.writer(f, delimiter=";", lineterminator="\r\n").writerows(linhas)
    print("copiar %.3f %d" % (time.perf_counter() - t, pico()))
