#pragma once
// Internal to the target layer: resources/esquema_teste.sql, embedded at build time.

/// The script's text (ASCII, statements ended by ';', trigger bodies inside SET TERM ^).
const char* EsquemaTesteSql();
