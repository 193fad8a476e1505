#!/usr/bin/env python3
"""Writes the edition icons: one SVG per edition, a white glyph for what the edition makes on a
rounded square in the colour of its family. Run it again after changing the table below."""
import os
import re

# Family colours: (top, bottom) of the square's gradient.
FAMILY = {
    "quib": ("#2f8ae0", "#1559a8"), "brumel": ("#14a38b", "#0b6e5e"), "ulmira": ("#e0672f", "#a8401a"),
    "haskavel": ("#6c5ce7", "#4331b8"), "pommerit": ("#d9a21b", "#a0720a"), "catalog": ("#3aa34a", "#22722f"),
    "selvaro": ("#c2417a", "#8c2455"), "labels": ("#e0a82f", "#a8731a"), "kestrin": ("#3b7bbf", "#23548c"),
    "markup": ("#e05252", "#a83232"), "cardell": ("#2fb3c9", "#1a7d8f"), "veldacre": ("#7a8b2f", "#52601a"),
    "corvane": ("#8e44ad", "#5e2a75"), "viewer": ("#6b7785", "#434d59"),
}

W = 'fill="#ffffff"'
S = 'fill="none" stroke="#ffffff" stroke-width="12" stroke-linecap="round" stroke-linejoin="round"'
G = {
    "page": f'<rect x="68" y="52" width="120" height="152" rx="10" {S}/><path d="M92 96h72M92 124h72M92 152h48" {S}/>',
    "responsive": f'<rect x="52" y="64" width="152" height="128" rx="10" {S}/><path d="M52 96h152M104 96v96M152 96v96" {S}/>',
    "mail": f'<rect x="48" y="72" width="160" height="112" rx="10" {S}/><path d="M52 80l76 60 76-60" {S}/>',
    "chart": f'<rect x="104" y="48" width="48" height="36" rx="6" {W}/><rect x="48" y="168" width="48" height="36" rx="6" {W}/><rect x="104" y="168" width="48" height="36" rx="6" {W}/><rect x="160" y="168" width="48" height="36" rx="6" {W}/><path d="M128 84v84M72 168v-36h112v36" {S}/>',
    "book": f'<path d="M128 76c-20-16-48-20-72-16v128c24-4 52 0 72 16 20-16 48-20 72-16V60c-24-4-52 0-72 16zM128 76v128" {S}/>',
    "photo": f'<rect x="48" y="64" width="160" height="128" rx="10" {S}/><path d="M60 180l44-52 32 36 24-24 40 40" {S}/><circle cx="164" cy="100" r="14" {W}/>',
    "video": f'<rect x="48" y="64" width="160" height="128" rx="10" {S}/><path d="M112 100v56l48-28z" {W}/>',
    "folders": f'<path d="M48 80h56l16 16h88v100H48z" {S}/><path d="M84 172v-28M116 172v-44M148 172v-20M180 172v-36" {S}/>',
    "form": f'<rect x="56" y="56" width="144" height="32" rx="6" {S}/><rect x="56" y="112" width="144" height="32" rx="6" {S}/><rect x="112" y="168" width="88" height="32" rx="16" {W}/>',
    "labels": f'<rect x="52" y="52" width="68" height="40" rx="8" {W}/><rect x="136" y="52" width="68" height="40" rx="8" {W}/><rect x="52" y="108" width="68" height="40" rx="8" {W}/><rect x="136" y="108" width="68" height="40" rx="8" {W}/><rect x="52" y="164" width="68" height="40" rx="8" {W}/><rect x="136" y="164" width="68" height="40" rx="8" {W}/>',
    "card": f'<rect x="40" y="76" width="176" height="104" rx="10" {S}/><circle cx="84" cy="122" r="16" {W}/><path d="M116 112h68M116 140h48" {S}/>',
    "flyer": f'<rect x="72" y="44" width="112" height="168" rx="8" {S}/><path d="M96 76h64" {S}/><rect x="96" y="100" width="64" height="48" rx="4" {W}/><path d="M96 176h64" {S}/>',
    "greeting": f'<path d="M52 64l76 20v128l-76-20zM128 84l76-20v128l-76 20z" {S}/><path d="M166 120c-8-12-24-4-16 10l16 16 16-16c8-14-8-22-16-10z" {W}/>',
    "markup": f'<rect x="44" y="68" width="132" height="112" rx="8" {S}/><path d="M140 196l56-56 20 20-56 56h-20z" {W}/>',
    "notes": f'<path d="M64 48h96l36 36v124H64z" {S}/><path d="M88 108h80M88 136h80M88 164h48" {S}/>',
    "pdf": f'<path d="M72 44h80l36 36v132H72z" {S}/><rect x="56" y="124" width="144" height="48" rx="6" {W}/><path d="M80 160v-24h12a8 8 0 010 16H80M116 136v24h8c8 0 12-6 12-12s-4-12-12-12zM156 160v-24h20M156 148h14" fill="none" stroke="#3b7bbf" stroke-width="6"/>',
    "tree": f'<circle cx="128" cy="64" r="18" {W}/><circle cx="76" cy="136" r="16" {W}/><circle cx="180" cy="136" r="16" {W}/><circle cx="52" cy="200" r="14" {W}/><circle cx="100" cy="200" r="14" {W}/><circle cx="180" cy="200" r="14" {W}/><path d="M128 82v22H76v16M128 104h52v16M76 152v20H52v14M76 172h24v14M180 152v34" fill="none" stroke="#ffffff" stroke-width="8"/>',
    "patient": f'<circle cx="128" cy="92" r="32" {W}/><path d="M68 204c0-40 28-64 60-64s60 24 60 64z" {W}/><path d="M176 52v40M156 72h40" fill="none" stroke="#ffffff" stroke-width="10"/>',
    "pet": f'<ellipse cx="128" cy="160" rx="40" ry="34" {W}/><ellipse cx="76" cy="112" rx="16" ry="22" {W}/><ellipse cx="108" cy="80" rx="16" ry="22" {W}/><ellipse cx="148" cy="80" rx="16" ry="22" {W}/><ellipse cx="180" cy="112" rx="16" ry="22" {W}/>',
    "student": f'<path d="M128 60l88 40-88 40-88-40z" {W}/><path d="M76 120v44c16 20 88 20 104 0v-44" {S}/><path d="M204 104v60" fill="none" stroke="#ffffff" stroke-width="8"/>',
    "viewer": f'<path d="M36 128c28-44 60-64 92-64s64 20 92 64c-28 44-60 64-92 64s-64-20-92-64z" {S}/><circle cx="128" cy="128" r="28" {W}/>',
    "envelope": f'<rect x="40" y="72" width="176" height="112" rx="8" {S}/><path d="M44 80l84 56 84-56" {S}/><rect x="168" y="88" width="28" height="28" rx="3" {W}/>',
}

EDITIONS = [
    ("Quib", "quib", "page"), ("HTML Quib Pro", "quib", "page"),
    ("Brumel Responsive Website Designer", "brumel", "responsive"), ("Ulmira Pro 2", "ulmira", "mail"),
    ("Ulmira Express", "ulmira", "mail"), ("Haskavel Pro", "haskavel", "chart"), ("Haskavel Pro 2", "haskavel", "chart"),
    ("Pommerit Recipe Manager", "pommerit", "book"), ("Zandelle", "catalog", "photo"), ("Ostrevin", "catalog", "photo"),
    ("Quellam", "catalog", "video"), ("Tirrabel", "catalog", "folders"), ("Lunnifer", "pommerit", "notes"),
    ("Selvaro Pro", "selvaro", "form"), ("Brennolt Pro", "labels", "labels"), ("Femmock", "labels", "card"),
    ("Kestrin Label Maker", "kestrin", "labels"), ("Kestrin Flyer Maker Pro", "kestrin", "flyer"),
    ("Kestrin Greeting Card Designer", "kestrin", "greeting"), ("Kestrin Markup", "markup", "markup"),
    ("Kestrin Markup Express", "markup", "markup"), ("Lomith Image Notes", "markup", "notes"),
    ("Kestrin PDF Author", "kestrin", "pdf"), ("Kestrin Family Tree Maker", "kestrin", "tree"),
    ("Brumel Responsive Email Designer", "brumel", "mail"), ("Kestrin Responsive Form Designer", "brumel", "form"),
    ("Selvaro Pro 2", "selvaro", "form"), ("Cardell", "cardell", "patient"), ("Cardell 2", "cardell", "patient"),
    ("Cardell Viewer", "viewer", "patient"), ("Cardell Vet Edition", "cardell", "pet"), ("Veldacre", "veldacre", "student"),
    ("Quibpage Web Design Document Viewer", "viewer", "viewer"), ("Corvane Business Card Designer", "corvane", "card"),
    ("Corvane eCard Designer", "corvane", "greeting"), ("Corvane Envelope Designer", "corvane", "envelope"),
]


def slug(name):
    return re.sub(r"[^a-z0-9]+", "-", name.lower()).strip("-")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, family, glyph in EDITIONS:
        top, bottom = FAMILY[family]
        svg = (
            '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
            f'<title>{name}</title>'
            '<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/></linearGradient></defs>'
            '<rect x="8" y="8" width="240" height="240" rx="52" fill="url(#g)"/>'
            f'{G[glyph]}</svg>\n'
        )
        with open(os.path.join(here, f"quib-{slug(name)}.svg"), "w") as out:
            out.write(svg)


if __name__ == "__main__":
    main()
