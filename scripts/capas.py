#!/usr/bin/env python3
"""Checks the layers of src/: no include runs upward, and the folders of the
core include each other without a cycle. Exits 1 and says where when not.

  core      (src/core/<subsystem>)  the model and the program's logic, no widgets
  platform  (src/platform)          Qt adapters of the core's ports
  cli       (src/cli)               the batch tool's commands
  ui        (src/ui)                windows and dialogs
  app       (src/app)               the two mains
"""
import os
import re
import sys

PERMITIDAS = {
    "core": {"core"},
    "platform": {"core", "platform"},
    "cli": {"core", "cli"},
    "ui": {"core", "platform", "ui"},
    "app": {"core", "platform", "cli", "ui", "app"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def capa(ruta):
    partes = ruta.split("/")
    return partes[0] if partes[0] in PERMITIDAS else None


def carpeta(ruta):
    partes = ruta.split("/")
    return "/".join(partes[:2]) if partes[0] == "core" else partes[0]


def main():
    raiz = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    errores = []
    aristas = {}
    for dirpath, _, archivos in os.walk(raiz):
        for nombre in archivos:
            if not nombre.endswith((".h", ".cpp")):
                continue
            completo = os.path.join(dirpath, nombre)
            ruta = os.path.relpath(completo, raiz).replace(os.sep, "/")
            mia = capa(ruta)
            if mia is None:
                errores.append(f"{ruta}: fuera de las capas (core, platform, cli, ui, app)")
                continue
            with open(completo, encoding="utf-8") as f:
                texto = f.read()
            for destino in INCLUDE.findall(texto):
                if "/" not in destino:
                    continue  # a header beside the file
                suya = capa(destino)
                if suya is None:
                    continue
                if suya not in PERMITIDAS[mia]:
                    errores.append(f"{ruta}: incluye {destino} ({mia} no puede incluir {suya})")
                a, b = carpeta(ruta), carpeta(destino)
                if a != b:
                    aristas.setdefault(a, set()).add(b)
    for componente in circulos(aristas):
        errores.append("carpetas en círculo: " + ", ".join(sorted(componente)))
    for e in errores:
        print(e)
    return 1 if errores else 0


def circulos(aristas):
    """The strongly connected components of more than one folder (Tarjan)."""
    indice, bajo, pila, en_pila, resultado = {}, {}, [], set(), []
    contador = [0]
    nodos = set(aristas) | {b for bs in aristas.values() for b in bs}

    def visitar(v):
        indice[v] = bajo[v] = contador[0]
        contador[0] += 1
        pila.append(v)
        en_pila.add(v)
        for w in aristas.get(v, ()):
            if w not in indice:
                visitar(w)
                bajo[v] = min(bajo[v], bajo[w])
            elif w in en_pila:
                bajo[v] = min(bajo[v], indice[w])
        if bajo[v] == indice[v]:
            componente = set()
            while True:
                w = pila.pop()
                en_pila.discard(w)
                componente.add(w)
                if w == v:
                    break
            if len(componente) > 1:
                resultado.append(componente)

    sys.setrecursionlimit(10000)
    for v in sorted(nodos):
        if v not in indice:
            visitar(v)
    return resultado


if __name__ == "__main__":
    sys.exit(main())
