#pragma once

// The part of OpenGL 1.x, GLU and GLUT that Vantrelle calls, for the browser:
// what WebGL 2 has keeps its WebGL declaration; the fixed-function rest is
// declared here and provided on WebGL 2 by this folder.
//
// Twelve functions that GLES3/gl3.h declares are defined again by the layer
// (gl_entry_points.cpp), because the layer must see them: glEnable and
// glDisable (lighting, texturing and the lights are its own switches),
// glBindTexture, glTexImage2D, glTexParameteri and glTexParameterf (textures
// named by the program's slot numbers and kept for a lost context), and
// glCullFace, glClearColor, glViewport, glPixelStorei and glLineWidth
// (recorded so that a restored context gets them back), and glClear beside
// them, which passes the call straight on. The layer's own calls to WebGL go
// through the emscripten_gl* names, which these definitions do not replace.
#include <GLES3/gl3.h>

typedef double GLdouble;

// Primitives that WebGL lacks.
#define GL_QUADS 0x0007

// Matrix modes, and the matrices as glGetDoublev reads them.
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7

// Lighting and materials.
#define GL_LIGHTING 0x0B50
#define GL_LIGHT0 0x4000
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_SHININESS 0x1601
#define GL_FLAT 0x1D00

// GL_TEXTURE_2D (from WebGL) doubles as the capability that turns texturing on.
#define GL_CLAMP 0x2900

#ifdef __cplusplus
extern "C" {
#endif

// Immediate mode.
void glBegin(GLenum mode);
void glEnd(void);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void glTexCoord2f(GLfloat s, GLfloat t);
void glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void glPointSize(GLfloat size);

// Matrix stacks.
void glMatrixMode(GLenum mode);
void glLoadIdentity(void);
void glPushMatrix(void);
void glPopMatrix(void);
void glMultMatrixf(const GLfloat* m);
void glMultMatrixd(const GLdouble* m);
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void glTranslated(GLdouble x, GLdouble y, GLdouble z);
void glGetDoublev(GLenum pname, GLdouble* params);

// Lights and materials.
void glLightfv(GLenum light, GLenum pname, const GLfloat* params);
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params);
void glShadeModel(GLenum mode);

// GLU.
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ);
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);
GLint gluProject(GLdouble objX, GLdouble objY, GLdouble objZ, const GLdouble* model,
                 const GLdouble* proj, const GLint* view, GLdouble* winX, GLdouble* winY,
                 GLdouble* winZ);
GLint gluUnProject(GLdouble winX, GLdouble winY, GLdouble winZ, const GLdouble* model,
                   const GLdouble* proj, const GLint* view, GLdouble* objX, GLdouble* objY,
                   GLdouble* objZ);

// GLUT.
#define GLUT_RGB 0x0000
#define GLUT_DOUBLE 0x0002
#define GLUT_DEPTH 0x0010
#define GLUT_LEFT_BUTTON 0
#define GLUT_RIGHT_BUTTON 2
#define GLUT_DOWN 0
#define GLUT_UP 1
#define GLUT_ACTIVE_SHIFT 1
void glutInit(int* argc, char** argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowSize(int width, int height);
void glutInitWindowPosition(int x, int y);
int glutCreateWindow(const char* title);
void glutDisplayFunc(void (*callback)(void));
void glutReshapeFunc(void (*callback)(int width, int height));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutIdleFunc(void (*callback)(void));
void glutMouseFunc(void (*callback)(int button, int state, int x, int y));
void glutMotionFunc(void (*callback)(int x, int y));
void glutFullScreen(void);
int glutCreateMenu(void (*callback)(int entry));
void glutAddMenuEntry(const char* label, int entry);
void glutAttachMenu(int button);
void glutAddSubMenu(const char* label, int menu);
int glutGetModifiers(void);
void glutMainLoop(void);
void glutPostRedisplay(void);
void glutSwapBuffers(void);
void glutWireCube(GLdouble size);

#ifdef __cplusplus
}
#endif
